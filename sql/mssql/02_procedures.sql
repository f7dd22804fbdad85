-- Stored procedures of the ZEL 4 personnel database (SQL Server 2016 SP1 or
-- later: CREATE OR ALTER lets the script run again after an upgrade).
-- Run after 01_schema.sql; 03_security.sql creates the sign-in tables they use
-- and grants the rights. Every procedure raises its refusals as errors with a
-- Russian message, which the program shows as it is.
SET ANSI_NULLS ON
GO
SET QUOTED_IDENTIFIER ON
GO

-- Salted, stretched verifier of the MD5 hash the client sends (32 hex digits).
CREATE OR ALTER FUNCTION [dbo].[ZEL_PasswordVerifier] (@salt varbinary(16), @hash varchar(32), @iterations int)
RETURNS varbinary(32)
AS
BEGIN
    DECLARE @v varbinary(32) = HASHBYTES('SHA2_256', @salt + CAST(UPPER(@hash) AS varbinary(32)));
    DECLARE @i int = 1;
    WHILE @i < @iterations
    BEGIN
        SET @v = HASHBYTES('SHA2_256', @v + @salt);
        SET @i += 1;
    END
    RETURN @v;
END
GO

-- Every character code lowered by one, modulo 256 (Windows-1251 text), as the
-- client expects the credentials of GET_USER.
CREATE OR ALTER FUNCTION [dbo].[ZEL_Shift] (@text varchar(50))
RETURNS varchar(50)
AS
BEGIN
    DECLARE @out varchar(50) = '';
    DECLARE @i int = 1;
    WHILE @i <= DATALENGTH(@text)
    BEGIN
        SET @out += CHAR((ASCII(SUBSTRING(@text, @i, 1)) + 255) % 256);
        SET @i += 1;
    END
    RETURN @out;
END
GO

-- Sign-in. One row: shifted database login and password, the update server's
-- address (VuzDefaults row 23), password
-- state (below 0: must change; below 20: change offered; else days left),
-- refusal message, current program version.
CREATE OR ALTER PROCEDURE [dbo].[GET_USER]
    @login nvarchar(50),
    @password varchar(32),
    @new_password varchar(34) = NULL,
    @program nvarchar(50) = NULL,
    @ip nvarchar(50) = NULL,
    @computer nvarchar(255) = NULL,
    @zel_user nvarchar(50) = NULL,
    @mode varchar(10) = NULL,
    @length varchar(10) = NULL
AS
BEGIN
    SET NOCOUNT ON;
    DECLARE @salt varbinary(16), @verifier varbinary(32), @iterations int, @must_change bit,
            @expires date, @refusal nvarchar(250), @full_name nvarchar(100), @db_login varchar(50),
            @db_password varchar(50), @state int, @version int;

    SELECT @salt = salt, @verifier = verifier, @iterations = iterations, @must_change = must_change,
           @expires = password_expires, @refusal = refusal_message, @full_name = full_name,
           @db_login = db_login, @db_password = db_password_shifted
    FROM [dbo].[ZEL_USERS] WHERE [login] = @login;

    -- The verifier is derived whether or not the login exists (a decoy salt and
    -- the usual cost stand in), so the delay of the answer does not tell which
    -- logins exist. Only a positive match lets the clerk in: a NULL anywhere
    -- leaves @accepted at 0.
    DECLARE @accepted bit = 0;
    DECLARE @candidate varbinary(32) = [dbo].[ZEL_PasswordVerifier](
        ISNULL(@salt, 0x5A454C3444454330595341544C540000), ISNULL(@password, ''), ISNULL(@iterations, 10000));
    IF @verifier IS NOT NULL AND @password IS NOT NULL AND LEN(@password) = 32
       AND @password NOT LIKE '%[^0-9A-Fa-f]%' AND @candidate IS NOT NULL AND @candidate = @verifier
        SET @accepted = 1;
    IF @accepted = 0
        THROW 50001, N'Пользователь с таким именем и паролем не найден.', 1;

    DECLARE @update_server varchar(100) =
        ISNULL((SELECT CAST(n_field AS varchar(100)) FROM [dbo].[VuzDefaults] WHERE id_vuz_defaults = 23), '');
    SET @version = ISNULL((SELECT TRY_CAST([value] AS int) FROM [dbo].[ZEL_SETTINGS] WHERE [name] = N'program_version'), 2);

    IF ISNULL(@refusal, N'') <> N''
    BEGIN
        SELECT CAST('' AS varchar(50)) AS db_login, CAST('' AS varchar(50)) AS db_password, @update_server AS update_server,
               0 AS password_state, @refusal AS [message], @version AS program_version;
        RETURN;
    END

    IF @new_password IS NOT NULL
    BEGIN
        IF @new_password IS NULL OR LEN(@new_password) <> 32 OR @new_password LIKE '%[^0-9A-Fa-f]%'
            THROW 50002, N'Новый пароль передан в неверном виде.', 1;
        IF ISNULL([dbo].[ZEL_PasswordVerifier](@salt, @new_password, @iterations), @verifier) = @verifier
            THROW 50003, N'Новый пароль должен отличаться от прежнего.', 1;
        DECLARE @new_salt varbinary(16) = CRYPT_GEN_RANDOM(16);
        UPDATE [dbo].[ZEL_USERS]
        SET salt = @new_salt,
            verifier = [dbo].[ZEL_PasswordVerifier](@new_salt, @new_password, iterations),
            must_change = 0,
            password_expires = DATEADD(day, 180, CAST(GETDATE() AS date))
        WHERE [login] = @login;
        SELECT @must_change = 0, @expires = DATEADD(day, 180, CAST(GETDATE() AS date));
    END

    SET @state = CASE
        WHEN @must_change = 1 THEN -1
        WHEN @expires IS NULL THEN 999
        WHEN DATEDIFF(day, CAST(GETDATE() AS date), @expires) < 0 THEN -1
        WHEN DATEDIFF(day, CAST(GETDATE() AS date), @expires) > 999 THEN 999
        ELSE DATEDIFF(day, CAST(GETDATE() AS date), @expires) END;

    UPDATE [dbo].[ZEL_USERS]
    SET last_sign_in = GETDATE(), last_workstation = LEFT(ISNULL(@computer, N'') + N'\' + ISNULL(@ip, N''), 300)
    WHERE [login] = @login;

    -- The account is handed out only once the password is valid.
    SELECT CASE WHEN @state < 0 THEN '' ELSE [dbo].[ZEL_Shift](@db_login) END AS db_login,
           CASE WHEN @state < 0 THEN '' ELSE @db_password END AS db_password,
           @update_server AS update_server, @state AS password_state, CAST(N'' AS nvarchar(250)) AS [message],
           @version AS program_version;
END
GO

-- Copies the card sections of one employee onto another: list sections are
-- appended, a one-row section only where the target has none.
CREATE OR ALTER PROCEDURE [dbo].[CopyDataFromTeacher]
    @id_teacherFrom int,
    @id_teacherTo int,
    @zel_user nvarchar(50),
    @ip nvarchar(300)
AS
BEGIN
    SET NOCOUNT ON;
    SET XACT_ABORT ON;
    IF @id_teacherFrom IS NULL OR @id_teacherTo IS NULL
        THROW 50012, N'Сотрудник не найден.', 1;
    IF @id_teacherFrom = @id_teacherTo
        THROW 50010, N'Нельзя копировать данные сотрудника на самого себя.', 1;
    IF @id_teacherTo = 1
        THROW 50011, N'Запись с шифром 1 служебная, копировать на неё нельзя.', 1;
    IF NOT EXISTS (SELECT 1 FROM [dbo].[TEACHER] WHERE id_teacher = @id_teacherFrom)
       OR NOT EXISTS (SELECT 1 FROM [dbo].[TEACHER] WHERE id_teacher = @id_teacherTo)
        THROW 50012, N'Сотрудник не найден.', 1;

    DECLARE @sections TABLE (name sysname, key_column sysname, single_row bit);
    INSERT INTO @sections (name, key_column, single_row) VALUES
        (N'TEACHER_info', N'id_teacher', 1),
        (N'Pensioners', N'id_teacher', 1),
        (N'Passport', N'id_teacher', 1),
        (N'photo', N'id_teacher', 1),
        (N'Experience', N'ID_TEACHER', 1),
        (N'Partiya', N'id_teacher', 1),
        (N'mil_card_', N'id_teacher', 1),
        (N'Place_of_birth', N'id_teacher', 1),
        (N'place_leave', N'id_teacher', 1),
        (N'Place_of_residence', N'id_teacher', 1),
        (N'Educ', N'id_teacher', 0),
        (N'family_', N'id_teacher', 0),
        (N'Kvalifikation', N'ID_TEACHER', 0),
        (N'Work', N'ID_TEACHER', 0),
        (N'Nagrada', N'id_teacher', 0),
        (N'Abroad', N'id_teacher', 0),
        (N'Elect_org', N'id_teacher', 0),
        (N'Holiday', N'id_teacher', 0),
        (N'Language_OPTIONS', N'id_teacher', 0),
        (N'teacher_medosmotr', N'id_teacher', 0),
        (N'obrazovanie_teacher', N'id_teacher', 0);

    DECLARE @name sysname, @key sysname, @single bit, @columns nvarchar(max), @values nvarchar(max),
            @sql nvarchar(max), @copied int = 0, @has_rows bit, @n int;

    BEGIN TRANSACTION;
    DECLARE sections CURSOR LOCAL FAST_FORWARD FOR SELECT name, key_column, single_row FROM @sections;
    OPEN sections;
    FETCH NEXT FROM sections INTO @name, @key, @single;
    WHILE @@FETCH_STATUS = 0
    BEGIN
        SET @has_rows = 0;
        IF @single = 1
        BEGIN
            SET @sql = N'IF EXISTS (SELECT 1 FROM [dbo].' + QUOTENAME(@name) + N' WHERE ' + QUOTENAME(@key)
                     + N' = @to) SET @has_rows = 1;';
            EXEC sp_executesql @sql, N'@to int, @has_rows bit OUTPUT', @id_teacherTo, @has_rows OUTPUT;
        END
        IF @has_rows = 0
        BEGIN
            SELECT @columns = STUFF((SELECT N', ' + QUOTENAME(c.name) FROM sys.columns c
                                     WHERE c.object_id = OBJECT_ID(N'dbo.' + @name) AND c.is_identity = 0
                                     ORDER BY c.column_id FOR XML PATH(''), TYPE).value('.', 'nvarchar(max)'), 1, 2, N''),
                   @values = STUFF((SELECT N', ' + CASE
                                        WHEN c.name = @key THEN N'@to'
                                        WHEN c.name = N'ZEL_User' THEN N'LEFT(@zel_user, '
                                             + CAST(CASE WHEN t.name LIKE N'n%' THEN c.max_length / 2 ELSE c.max_length END AS nvarchar(10)) + N')'
                                        ELSE QUOTENAME(c.name) END
                                    FROM sys.columns c JOIN sys.types t ON t.user_type_id = c.user_type_id
                                    WHERE c.object_id = OBJECT_ID(N'dbo.' + @name) AND c.is_identity = 0
                                    ORDER BY c.column_id FOR XML PATH(''), TYPE).value('.', 'nvarchar(max)'), 1, 2, N'');
            SET @sql = N'INSERT INTO [dbo].' + QUOTENAME(@name) + N' (' + @columns + N') SELECT ' + @values
                     + N' FROM [dbo].' + QUOTENAME(@name) + N' WHERE ' + QUOTENAME(@key) + N' = @from; SET @n = @@ROWCOUNT;';
            SET @n = 0;
            EXEC sp_executesql @sql, N'@from int, @to int, @zel_user nvarchar(50), @n int OUTPUT',
                 @id_teacherFrom, @id_teacherTo, @zel_user, @n OUTPUT;
            SET @copied += @n;
        END
        FETCH NEXT FROM sections INTO @name, @key, @single;
    END
    CLOSE sections;
    DEALLOCATE sections;

    INSERT INTO [dbo].[ZEL_LOG] ([table], row_id, descr, ZEL_User, comp)
    VALUES (N'TEACHER', @id_teacherTo,
            N'Скопированы данные сотрудника с шифром ' + CAST(@id_teacherFrom AS nvarchar(10))
            + N': записей - ' + CAST(@copied AS nvarchar(10)) + N'.', @zel_user, @ip);
    COMMIT TRANSACTION;
END
GO

-- One row: 1 when the employee was deleted, 0 when rows are linked to the employee.
CREATE OR ALTER PROCEDURE [dbo].[DeleteTeacher]
    @id_teacher int,
    @zel_user nvarchar(50) = NULL,
    @ip nvarchar(300) = NULL
AS
BEGIN
    SET NOCOUNT ON;
    SET XACT_ABORT ON;
    IF @id_teacher IS NULL
        THROW 50021, N'Сотрудник не найден.', 1;
    IF @id_teacher = 1
        THROW 50020, N'Запись с шифром 1 служебная и не может быть удалена.', 1;
    IF NOT EXISTS (SELECT 1 FROM [dbo].[TEACHER] WHERE id_teacher = @id_teacher)
        THROW 50021, N'Сотрудник не найден.', 1;
    IF EXISTS (SELECT 1 FROM [dbo].[TEACHER_info] WHERE [id_teacher] = @id_teacher)
        OR EXISTS (SELECT 1 FROM [dbo].[Pensioners] WHERE [id_teacher] = @id_teacher)
        OR EXISTS (SELECT 1 FROM [dbo].[Passport] WHERE [id_teacher] = @id_teacher)
        OR EXISTS (SELECT 1 FROM [dbo].[photo] WHERE [id_teacher] = @id_teacher)
        OR EXISTS (SELECT 1 FROM [dbo].[Experience] WHERE [ID_TEACHER] = @id_teacher)
        OR EXISTS (SELECT 1 FROM [dbo].[Partiya] WHERE [id_teacher] = @id_teacher)
        OR EXISTS (SELECT 1 FROM [dbo].[mil_card_] WHERE [id_teacher] = @id_teacher)
        OR EXISTS (SELECT 1 FROM [dbo].[Place_of_birth] WHERE [id_teacher] = @id_teacher)
        OR EXISTS (SELECT 1 FROM [dbo].[place_leave] WHERE [id_teacher] = @id_teacher)
        OR EXISTS (SELECT 1 FROM [dbo].[Place_of_residence] WHERE [id_teacher] = @id_teacher)
        OR EXISTS (SELECT 1 FROM [dbo].[Educ] WHERE [id_teacher] = @id_teacher)
        OR EXISTS (SELECT 1 FROM [dbo].[family_] WHERE [id_teacher] = @id_teacher)
        OR EXISTS (SELECT 1 FROM [dbo].[Kvalifikation] WHERE [ID_TEACHER] = @id_teacher)
        OR EXISTS (SELECT 1 FROM [dbo].[Work] WHERE [ID_TEACHER] = @id_teacher)
        OR EXISTS (SELECT 1 FROM [dbo].[Nagrada] WHERE [id_teacher] = @id_teacher)
        OR EXISTS (SELECT 1 FROM [dbo].[Abroad] WHERE [id_teacher] = @id_teacher)
        OR EXISTS (SELECT 1 FROM [dbo].[Elect_org] WHERE [id_teacher] = @id_teacher)
        OR EXISTS (SELECT 1 FROM [dbo].[Holiday] WHERE [id_teacher] = @id_teacher)
        OR EXISTS (SELECT 1 FROM [dbo].[Language_OPTIONS] WHERE [id_teacher] = @id_teacher)
        OR EXISTS (SELECT 1 FROM [dbo].[teacher_medosmotr] WHERE [id_teacher] = @id_teacher)
        OR EXISTS (SELECT 1 FROM [dbo].[obrazovanie_teacher] WHERE [id_teacher] = @id_teacher)
        OR EXISTS (SELECT 1 FROM [dbo].[Teacher_Nagruzka] WHERE [id_teacher] = @id_teacher)
    BEGIN
        SELECT 0 AS deleted;
        RETURN;
    END
    BEGIN TRANSACTION;
    DELETE FROM [dbo].[TEACHER] WHERE id_teacher = @id_teacher;
    INSERT INTO [dbo].[ZEL_LOG] ([table], row_id, descr, ZEL_User, comp)
    VALUES (N'TEACHER', @id_teacher, N'Удалён сотрудник.', @zel_user, @ip);
    COMMIT TRANSACTION;
    SELECT 1 AS deleted;
END
GO

-- Deletes the employee with every linked row, unless a workload was drawn up.
CREATE OR ALTER PROCEDURE [dbo].[DeleteTeacher2]
    @id_teacher int,
    @zel_user nvarchar(50) = NULL,
    @ip nvarchar(300) = NULL
AS
BEGIN
    SET NOCOUNT ON;
    SET XACT_ABORT ON;
    IF @id_teacher IS NULL
        THROW 50031, N'Сотрудник не найден.', 1;
    IF @id_teacher = 1
        THROW 50030, N'Запись с шифром 1 служебная и не может быть удалена.', 1;
    IF NOT EXISTS (SELECT 1 FROM [dbo].[TEACHER] WHERE id_teacher = @id_teacher)
        THROW 50031, N'Сотрудник не найден.', 1;
    IF EXISTS (SELECT 1 FROM [dbo].[Teacher_Del] WHERE id_teacher = @id_teacher)
        THROW 50032, N'Невозможно удалить сотрудника: на него составлена нагрузка.', 1;

    DECLARE @linked int =
              (SELECT COUNT(*) FROM [dbo].[TEACHER_info] WHERE [id_teacher] = @id_teacher)
            + (SELECT COUNT(*) FROM [dbo].[Pensioners] WHERE [id_teacher] = @id_teacher)
            + (SELECT COUNT(*) FROM [dbo].[Passport] WHERE [id_teacher] = @id_teacher)
            + (SELECT COUNT(*) FROM [dbo].[photo] WHERE [id_teacher] = @id_teacher)
            + (SELECT COUNT(*) FROM [dbo].[Experience] WHERE [ID_TEACHER] = @id_teacher)
            + (SELECT COUNT(*) FROM [dbo].[Partiya] WHERE [id_teacher] = @id_teacher)
            + (SELECT COUNT(*) FROM [dbo].[mil_card_] WHERE [id_teacher] = @id_teacher)
            + (SELECT COUNT(*) FROM [dbo].[Place_of_birth] WHERE [id_teacher] = @id_teacher)
            + (SELECT COUNT(*) FROM [dbo].[place_leave] WHERE [id_teacher] = @id_teacher)
            + (SELECT COUNT(*) FROM [dbo].[Place_of_residence] WHERE [id_teacher] = @id_teacher)
            + (SELECT COUNT(*) FROM [dbo].[Educ] WHERE [id_teacher] = @id_teacher)
            + (SELECT COUNT(*) FROM [dbo].[family_] WHERE [id_teacher] = @id_teacher)
            + (SELECT COUNT(*) FROM [dbo].[Kvalifikation] WHERE [ID_TEACHER] = @id_teacher)
            + (SELECT COUNT(*) FROM [dbo].[Work] WHERE [ID_TEACHER] = @id_teacher)
            + (SELECT COUNT(*) FROM [dbo].[Nagrada] WHERE [id_teacher] = @id_teacher)
            + (SELECT COUNT(*) FROM [dbo].[Abroad] WHERE [id_teacher] = @id_teacher)
            + (SELECT COUNT(*) FROM [dbo].[Elect_org] WHERE [id_teacher] = @id_teacher)
            + (SELECT COUNT(*) FROM [dbo].[Holiday] WHERE [id_teacher] = @id_teacher)
            + (SELECT COUNT(*) FROM [dbo].[Language_OPTIONS] WHERE [id_teacher] = @id_teacher)
            + (SELECT COUNT(*) FROM [dbo].[teacher_medosmotr] WHERE [id_teacher] = @id_teacher)
            + (SELECT COUNT(*) FROM [dbo].[obrazovanie_teacher] WHERE [id_teacher] = @id_teacher)
            + (SELECT COUNT(*) FROM [dbo].[Teacher_Nagruzka] WHERE [id_teacher] = @id_teacher);
    BEGIN TRY
        BEGIN TRANSACTION;
        DELETE FROM [dbo].[TEACHER_info] WHERE [id_teacher] = @id_teacher;
        DELETE FROM [dbo].[Pensioners] WHERE [id_teacher] = @id_teacher;
        DELETE FROM [dbo].[Passport] WHERE [id_teacher] = @id_teacher;
        DELETE FROM [dbo].[photo] WHERE [id_teacher] = @id_teacher;
        DELETE FROM [dbo].[Experience] WHERE [ID_TEACHER] = @id_teacher;
        DELETE FROM [dbo].[Partiya] WHERE [id_teacher] = @id_teacher;
        DELETE FROM [dbo].[mil_card_] WHERE [id_teacher] = @id_teacher;
        DELETE FROM [dbo].[Place_of_birth] WHERE [id_teacher] = @id_teacher;
        DELETE FROM [dbo].[place_leave] WHERE [id_teacher] = @id_teacher;
        DELETE FROM [dbo].[Place_of_residence] WHERE [id_teacher] = @id_teacher;
        DELETE FROM [dbo].[Educ] WHERE [id_teacher] = @id_teacher;
        DELETE FROM [dbo].[family_] WHERE [id_teacher] = @id_teacher;
        DELETE FROM [dbo].[Kvalifikation] WHERE [ID_TEACHER] = @id_teacher;
        DELETE FROM [dbo].[Work] WHERE [ID_TEACHER] = @id_teacher;
        DELETE FROM [dbo].[Nagrada] WHERE [id_teacher] = @id_teacher;
        DELETE FROM [dbo].[Abroad] WHERE [id_teacher] = @id_teacher;
        DELETE FROM [dbo].[Elect_org] WHERE [id_teacher] = @id_teacher;
        DELETE FROM [dbo].[Holiday] WHERE [id_teacher] = @id_teacher;
        DELETE FROM [dbo].[Language_OPTIONS] WHERE [id_teacher] = @id_teacher;
        DELETE FROM [dbo].[teacher_medosmotr] WHERE [id_teacher] = @id_teacher;
        DELETE FROM [dbo].[obrazovanie_teacher] WHERE [id_teacher] = @id_teacher;
        DELETE FROM [dbo].[Teacher_Nagruzka] WHERE [id_teacher] = @id_teacher;
        DELETE FROM [dbo].[TEACHER] WHERE id_teacher = @id_teacher;
        INSERT INTO [dbo].[ZEL_LOG] ([table], row_id, descr, ZEL_User, comp)
        VALUES (N'TEACHER', @id_teacher, N'Удалён сотрудник вместе со связанными записями: '
                + CAST(@linked AS nvarchar(10)) + N'.', @zel_user, @ip);
        COMMIT TRANSACTION;
    END TRY
    BEGIN CATCH
        IF @@TRANCOUNT > 0 ROLLBACK TRANSACTION;
        THROW;
    END CATCH
END
GO

-- The family status lives on the employee's relative rows. @OldStatus carries
-- the status chosen, @NewStatus the employee key.
CREATE OR ALTER PROCEDURE [dbo].[Update_Family_Staus]
    @OldStatus int = NULL,
    @NewStatus int = NULL
AS
BEGIN
    SET NOCOUNT ON;
    IF @NewStatus IS NULL
        THROW 50040, N'Не выбран сотрудник, для которого меняется семейное положение.', 1;
    IF @OldStatus IS NOT NULL AND NOT EXISTS (SELECT 1 FROM [dbo].[Family] WHERE id_family = @OldStatus)
        THROW 50041, N'Семейное положение не найдено.', 1;
    UPDATE [dbo].[family_] SET id_family_status = @OldStatus WHERE id_teacher = @NewStatus;
    IF @@ROWCOUNT = 0
        THROW 50042, N'Семейное положение хранится в сведениях о родственниках, а у сотрудника их нет. Добавьте хотя бы одного родственника и выберите семейное положение снова.', 1;
    RETURN 0;
END
GO

-- Lists of the address picker: visible places of the next level, by name.
CREATE OR ALTER PROCEDURE [dbo].[Ab_RepublicProcSchool]
AS
BEGIN
    SET NOCOUNT ON;
    SELECT id_republics, republic FROM [dbo].[Republics] WHERE visible = 1 ORDER BY republic, id_republics;
END
GO

CREATE OR ALTER PROCEDURE [dbo].[ab_RegionProcSchool] @id_republic int = NULL
AS
BEGIN
    SET NOCOUNT ON;
    SELECT CAST(IDRegion AS int) AS RegionEducat, NameRegion FROM [dbo].[RegionKR]
    WHERE id_republic = @id_republic AND visible = 1 ORDER BY NameRegion, IDRegion;
END
GO

CREATE OR ALTER PROCEDURE [dbo].[ab_DistrictProcSchool] @id_region int = NULL
AS
BEGIN
    SET NOCOUNT ON;
    SELECT CAST(IDDistrict AS int) AS DistrictEducat, NameDistrict FROM [dbo].[DistrictKR]
    WHERE IDRegion = @id_region AND visible = 1 ORDER BY NameDistrict, IDDistrict;
END
GO

CREATE OR ALTER PROCEDURE [dbo].[ab_CityProcSchool] @id_district int = NULL
AS
BEGIN
    SET NOCOUNT ON;
    SELECT IDCity AS CityEducat, NameCity FROM [dbo].[CityKR]
    WHERE IDDistrict = @id_district AND visible = 1 ORDER BY NameCity, IDCity;
END
GO

CREATE OR ALTER PROCEDURE [dbo].[ab_VillageProcSchool] @id_district int = NULL
AS
BEGIN
    SET NOCOUNT ON;
    SELECT IDVillage AS VillageEducat, NameVillage FROM [dbo].[VillageKR]
    WHERE IDDistrict = @id_district AND visible = 1 ORDER BY NameVillage, IDVillage;
END
GO
