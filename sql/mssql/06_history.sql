-- The change history of one employee (the card's "История изменений"), for SQL
-- Server 2016 SP1 or later. Run after 01_schema.sql and 03_security.sql; can be run again.
--
-- A ZEL_LOG row belongs to an employee through its section's key: row_id names a
-- row of the section table whose employee key is the employee. A deleted section
-- row is gone from its table; its deletion row carries the row's dump, which names
-- the employee (id_teacher[N]). The trigger below keeps those owners in
-- ZEL_LOG_Deleted, so the history never reads the whole log.
SET ANSI_NULLS ON
GO
SET QUOTED_IDENTIFIER ON
GO
SET NOCOUNT ON
GO

IF OBJECT_ID(N'[dbo].[ZEL_LOG_Deleted]', 'U') IS NULL
    CREATE TABLE [dbo].[ZEL_LOG_Deleted] (
        [id_log] int NOT NULL,
        [table] varchar(50) NULL,
        [row_id] int NULL,
        [id_teacher] int NOT NULL,
        CONSTRAINT [PK_ZEL_LOG_Deleted] PRIMARY KEY CLUSTERED ([id_log])
    )
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = 'IX_ZEL_LOG_Deleted_id_teacher')
    CREATE NONCLUSTERED INDEX [IX_ZEL_LOG_Deleted_id_teacher] ON [dbo].[ZEL_LOG_Deleted] ([id_teacher])
        INCLUDE ([table], [row_id])
GO
-- Newest first within an employee's rows.
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = 'IX_ZEL_LOG_table_row_id_date')
    CREATE NONCLUSTERED INDEX [IX_ZEL_LOG_table_row_id_date] ON [dbo].[ZEL_LOG] ([table], [row_id], [date_log])
        INCLUDE ([descr], [ZEL_User], [comp])
GO

-- The employee key named in a deletion row's dump; NULL when there is none.
CREATE OR ALTER FUNCTION [dbo].[ZEL_DumpEmployee] (@descr varchar(2000))
RETURNS int
WITH SCHEMABINDING
AS
BEGIN
    DECLARE @at int = CHARINDEX('id_teacher[', @descr);
    IF @at = 0 RETURN NULL;
    DECLARE @start int = @at + LEN('id_teacher[');
    DECLARE @end int = CHARINDEX(']', @descr, @start);
    IF @end <= @start RETURN NULL;
    RETURN TRY_CAST(SUBSTRING(@descr, @start, @end - @start) AS int);
END
GO

-- Every logged deletion of a card section row records whose row it was. A row
-- the function cannot read is left out rather than failing the audit insert.
CREATE OR ALTER TRIGGER [dbo].[TR_ZEL_LOG_Deleted] ON [dbo].[ZEL_LOG] AFTER INSERT AS
BEGIN
    SET NOCOUNT ON;
    INSERT INTO [dbo].[ZEL_LOG_Deleted] ([id_log], [table], [row_id], [id_teacher])
    SELECT i.[id_log], i.[table], i.[row_id], [dbo].[ZEL_DumpEmployee](i.[descr])
    FROM inserted i
    WHERE i.[descr] LIKE N'Запись с уникальным номером - %'
      AND i.[table] IN ('Educ', 'Family', 'Experience', 'Kvalification', 'Work', 'Nagrada', 'Abroad', 'Elect_org', 'Partia', 'Holiday', 'Mil_card', 'Language_options', 'Place_of_birth', 'Place_leave', 'Place_of_residence', 'Teacher_info', 'Pasport', 'Pensioners', 'Photo')
      AND [dbo].[ZEL_DumpEmployee](i.[descr]) IS NOT NULL;
END
GO

-- Deletions logged before this script ran.
INSERT INTO [dbo].[ZEL_LOG_Deleted] ([id_log], [table], [row_id], [id_teacher])
SELECT l.[id_log], l.[table], l.[row_id], [dbo].[ZEL_DumpEmployee](l.[descr])
FROM [dbo].[ZEL_LOG] l
WHERE l.[descr] LIKE N'Запись с уникальным номером - %'
  AND l.[table] IN ('Educ', 'Family', 'Experience', 'Kvalification', 'Work', 'Nagrada', 'Abroad', 'Elect_org', 'Partia', 'Holiday', 'Mil_card', 'Language_options', 'Place_of_birth', 'Place_leave', 'Place_of_residence', 'Teacher_info', 'Pasport', 'Pensioners', 'Photo')
  AND [dbo].[ZEL_DumpEmployee](l.[descr]) IS NOT NULL
  AND NOT EXISTS (SELECT 1 FROM [dbo].[ZEL_LOG_Deleted] d WHERE d.[id_log] = l.[id_log])
GO

-- @date_from and @date_to bound the day of date_log, both included; NULL leaves
-- the side open. @table keeps one section's rows (NULL: every section).
CREATE OR ALTER PROCEDURE [dbo].[ZEL_EmployeeHistory]
    @id_teacher int,
    @date_from date = NULL,
    @date_to date = NULL,
    @table varchar(50) = NULL
AS
BEGIN
    SET NOCOUNT ON;
    IF @id_teacher IS NULL
        THROW 50020, N'Не выбран сотрудник, чью историю изменений нужно показать.', 1;
    DECLARE @after datetime = CAST(@date_from AS datetime);
    DECLARE @before datetime = DATEADD(day, 1, CAST(@date_to AS datetime));
    WITH owned (tbl, rid) AS (
        SELECT 'Teacher', @id_teacher
        UNION ALL SELECT 'Educ', [id_educ] FROM [dbo].[Educ] WHERE [id_teacher] = @id_teacher
        UNION ALL SELECT 'Family', [id_family] FROM [dbo].[family_] WHERE [id_teacher] = @id_teacher
        UNION ALL SELECT 'Experience', [id_experience] FROM [dbo].[Experience] WHERE [ID_TEACHER] = @id_teacher
        UNION ALL SELECT 'Kvalification', [id_kvalification] FROM [dbo].[Kvalifikation] WHERE [ID_TEACHER] = @id_teacher
        UNION ALL SELECT 'Work', [id_Work] FROM [dbo].[Work] WHERE [ID_TEACHER] = @id_teacher
        UNION ALL SELECT 'Nagrada', [id_nagrada] FROM [dbo].[Nagrada] WHERE [id_teacher] = @id_teacher
        UNION ALL SELECT 'Abroad', [id_abroad] FROM [dbo].[Abroad] WHERE [id_teacher] = @id_teacher
        UNION ALL SELECT 'Elect_org', [id_organ] FROM [dbo].[Elect_org] WHERE [id_teacher] = @id_teacher
        UNION ALL SELECT 'Partia', [id_partia] FROM [dbo].[Partiya] WHERE [id_teacher] = @id_teacher
        UNION ALL SELECT 'Holiday', [id_vacation] FROM [dbo].[Holiday] WHERE [id_teacher] = @id_teacher
        UNION ALL SELECT 'Mil_card', [id_mil_card] FROM [dbo].[mil_card_] WHERE [id_teacher] = @id_teacher
        UNION ALL SELECT 'Language_options', [id_lang_options] FROM [dbo].[Language_OPTIONS] WHERE [id_teacher] = @id_teacher
        UNION ALL SELECT 'Place_of_birth', [id_place_of_birth] FROM [dbo].[Place_of_birth] WHERE [id_teacher] = @id_teacher
        UNION ALL SELECT 'Place_leave', [id_place_leave] FROM [dbo].[place_leave] WHERE [id_teacher] = @id_teacher
        UNION ALL SELECT 'Place_of_residence', [id_place_of_residence] FROM [dbo].[Place_of_residence] WHERE [id_teacher] = @id_teacher
        UNION ALL SELECT 'Teacher_info', [id_teacher_info] FROM [dbo].[TEACHER_info] WHERE [id_teacher] = @id_teacher
        UNION ALL SELECT 'Pasport', [id_pasport] FROM [dbo].[Passport] WHERE [id_teacher] = @id_teacher
        UNION ALL SELECT 'Pensioners', [id_pensioner] FROM [dbo].[Pensioners] WHERE [id_teacher] = @id_teacher
        UNION ALL SELECT 'Photo', [id_photo] FROM [dbo].[photo] WHERE [id_teacher] = @id_teacher
        UNION ALL SELECT d.[table], d.[row_id] FROM [dbo].[ZEL_LOG_Deleted] d WHERE d.[id_teacher] = @id_teacher
    )
    SELECT l.[id_log], l.[date_log], l.[table], l.[row_id], l.[descr], l.[ZEL_User], l.[comp]
    FROM (SELECT DISTINCT tbl, rid FROM owned) o
    JOIN [dbo].[ZEL_LOG] l ON l.[table] = o.tbl AND l.[row_id] = o.rid
    WHERE (@after IS NULL OR l.[date_log] >= @after)
      AND (@before IS NULL OR l.[date_log] < @before)
      AND (@table IS NULL OR l.[table] = @table)
    ORDER BY l.[date_log] DESC, l.[id_log] DESC;
END
GO

-- Both working roles read the history; nobody but the administrator rewrites the
-- owners' table (the trigger writes it under the table owner's rights).
GRANT EXECUTE ON [dbo].[ZEL_EmployeeHistory] TO [zel_editors], [zel_readers]
DENY INSERT, UPDATE, DELETE ON [dbo].[ZEL_LOG_Deleted] TO [zel_editors], [zel_readers]
GO
