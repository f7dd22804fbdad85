-- Deletion checks of the dictionaries edited from the card: an entry that
-- employee rows still use cannot be deleted. Triggers rather than foreign keys,
-- because keys without a dictionary row must stay writable (existing data and
-- the fixed keys of the address picker rely on it). Run after 01_schema.sql.
-- The message names the dictionary and how many rows use the entry; the
-- embedded server gives the same text.
SET NOCOUNT ON
GO

IF OBJECT_ID(N'[dbo].[TR_specialPUM_InUse]', N'TR') IS NOT NULL DROP TRIGGER [dbo].[TR_specialPUM_InUse]
GO
CREATE OR ALTER TRIGGER [dbo].[TR_specialPUM_InUse] ON [dbo].[specialPUM] AFTER DELETE AS
BEGIN
    SET NOCOUNT ON;
    DECLARE @rows int = (SELECT COUNT(*) FROM [dbo].[Educ] r JOIN deleted d ON r.[id_special] = d.[id_special]);
    IF @rows > 0
    BEGIN
        DECLARE @message nvarchar(400) = N'Запись справочника "Специальность по диплому" используется в карточках сотрудников (записей: '
            + CAST(@rows AS nvarchar(12)) + N') и не может быть удалена.';
        THROW 50010, @message, 1;
    END
END
GO

IF OBJECT_ID(N'[dbo].[TR_Soc_pr_InUse]', N'TR') IS NOT NULL DROP TRIGGER [dbo].[TR_Soc_pr_InUse]
GO
CREATE OR ALTER TRIGGER [dbo].[TR_Soc_pr_InUse] ON [dbo].[Soc_pr] AFTER DELETE AS
BEGIN
    SET NOCOUNT ON;
    DECLARE @rows int = (SELECT COUNT(*) FROM [dbo].[TEACHER_info] r JOIN deleted d ON r.[id_soc_pr] = d.[id_soc_pr]);
    IF @rows > 0
    BEGIN
        DECLARE @message nvarchar(400) = N'Запись справочника "Социальный статус" используется в карточках сотрудников (записей: '
            + CAST(@rows AS nvarchar(12)) + N') и не может быть удалена.';
        THROW 50010, @message, 1;
    END
END
GO

IF OBJECT_ID(N'[dbo].[TR_Uch_step_InUse]', N'TR') IS NOT NULL DROP TRIGGER [dbo].[TR_Uch_step_InUse]
GO
CREATE OR ALTER TRIGGER [dbo].[TR_Uch_step_InUse] ON [dbo].[Uch_step] AFTER DELETE AS
BEGIN
    SET NOCOUNT ON;
    DECLARE @rows int = (SELECT COUNT(*) FROM [dbo].[TEACHER_info] r JOIN deleted d ON r.[id_uch_stepen] = d.[id_uch_stepen]);
    IF @rows > 0
    BEGIN
        DECLARE @message nvarchar(400) = N'Запись справочника "Ученая степень" используется в карточках сотрудников (записей: '
            + CAST(@rows AS nvarchar(12)) + N') и не может быть удалена.';
        THROW 50010, @message, 1;
    END
END
GO

IF OBJECT_ID(N'[dbo].[TR_uch_zvanie_InUse]', N'TR') IS NOT NULL DROP TRIGGER [dbo].[TR_uch_zvanie_InUse]
GO
CREATE OR ALTER TRIGGER [dbo].[TR_uch_zvanie_InUse] ON [dbo].[uch_zvanie] AFTER DELETE AS
BEGIN
    SET NOCOUNT ON;
    DECLARE @rows int = (SELECT COUNT(*) FROM [dbo].[TEACHER_info] r JOIN deleted d ON r.[id_uch_zvanie] = d.[id_uch_zvanie]);
    IF @rows > 0
    BEGIN
        DECLARE @message nvarchar(400) = N'Запись справочника "Ученое звание" используется в карточках сотрудников (записей: '
            + CAST(@rows AS nvarchar(12)) + N') и не может быть удалена.';
        THROW 50010, @message, 1;
    END
END
GO

IF OBJECT_ID(N'[dbo].[TR_Rang_InUse]', N'TR') IS NOT NULL DROP TRIGGER [dbo].[TR_Rang_InUse]
GO
CREATE OR ALTER TRIGGER [dbo].[TR_Rang_InUse] ON [dbo].[Rang] AFTER DELETE AS
BEGIN
    SET NOCOUNT ON;
    DECLARE @rows int = (SELECT COUNT(*) FROM [dbo].[TEACHER_info] r JOIN deleted d ON r.[id_rang] = d.[id_rang]);
    IF @rows > 0
    BEGIN
        DECLARE @message nvarchar(400) = N'Запись справочника "Ранг" используется в карточках сотрудников (записей: '
            + CAST(@rows AS nvarchar(12)) + N') и не может быть удалена.';
        THROW 50010, @message, 1;
    END
END
GO

IF OBJECT_ID(N'[dbo].[TR_Mil_name_InUse]', N'TR') IS NOT NULL DROP TRIGGER [dbo].[TR_Mil_name_InUse]
GO
CREATE OR ALTER TRIGGER [dbo].[TR_Mil_name_InUse] ON [dbo].[Mil_name] AFTER DELETE AS
BEGIN
    SET NOCOUNT ON;
    DECLARE @rows int = (SELECT COUNT(*) FROM [dbo].[mil_card_] r JOIN deleted d ON r.[id_mil_name] = d.[ID_mil_name]);
    IF @rows > 0
    BEGIN
        DECLARE @message nvarchar(400) = N'Запись справочника "Воинское звание" используется в карточках сотрудников (записей: '
            + CAST(@rows AS nvarchar(12)) + N') и не может быть удалена.';
        THROW 50010, @message, 1;
    END
END
GO

IF OBJECT_ID(N'[dbo].[TR_Mil_R_Voisk_InUse]', N'TR') IS NOT NULL DROP TRIGGER [dbo].[TR_Mil_R_Voisk_InUse]
GO
CREATE OR ALTER TRIGGER [dbo].[TR_Mil_R_Voisk_InUse] ON [dbo].[Mil_R_Voisk] AFTER DELETE AS
BEGIN
    SET NOCOUNT ON;
    DECLARE @rows int = (SELECT COUNT(*) FROM [dbo].[mil_card_] r JOIN deleted d ON r.[id_R_voisk] = d.[id_r_voisk]);
    IF @rows > 0
    BEGIN
        DECLARE @message nvarchar(400) = N'Запись справочника "Род войск" используется в карточках сотрудников (записей: '
            + CAST(@rows AS nvarchar(12)) + N') и не может быть удалена.';
        THROW 50010, @message, 1;
    END
END
GO

IF OBJECT_ID(N'[dbo].[TR_MVD_pasport_InUse]', N'TR') IS NOT NULL DROP TRIGGER [dbo].[TR_MVD_pasport_InUse]
GO
CREATE OR ALTER TRIGGER [dbo].[TR_MVD_pasport_InUse] ON [dbo].[MVD_pasport] AFTER DELETE AS
BEGIN
    SET NOCOUNT ON;
    DECLARE @rows int = (SELECT COUNT(*) FROM [dbo].[Passport] r JOIN deleted d ON r.[id_passport_organ] = d.[IDMVD]);
    IF @rows > 0
    BEGIN
        DECLARE @message nvarchar(400) = N'Запись справочника "Орган выдачи пасспорта" используется в карточках сотрудников (записей: '
            + CAST(@rows AS nvarchar(12)) + N') и не может быть удалена.';
        THROW 50010, @message, 1;
    END
END
GO

IF OBJECT_ID(N'[dbo].[TR_diploma_kval_InUse]', N'TR') IS NOT NULL DROP TRIGGER [dbo].[TR_diploma_kval_InUse]
GO
CREATE OR ALTER TRIGGER [dbo].[TR_diploma_kval_InUse] ON [dbo].[diploma_kval] AFTER DELETE AS
BEGIN
    SET NOCOUNT ON;
    DECLARE @rows int = (SELECT COUNT(*) FROM [dbo].[Educ] r JOIN deleted d ON r.[id_diploma_kval] = d.[id_diploma_kval]);
    IF @rows > 0
    BEGIN
        DECLARE @message nvarchar(400) = N'Запись справочника "Квалификация по диплому" используется в карточках сотрудников (записей: '
            + CAST(@rows AS nvarchar(12)) + N') и не может быть удалена.';
        THROW 50010, @message, 1;
    END
END
GO

IF OBJECT_ID(N'[dbo].[TR_nationality_InUse]', N'TR') IS NOT NULL DROP TRIGGER [dbo].[TR_nationality_InUse]
GO
CREATE OR ALTER TRIGGER [dbo].[TR_nationality_InUse] ON [dbo].[nationality] AFTER DELETE AS
BEGIN
    SET NOCOUNT ON;
    DECLARE @rows int = (SELECT COUNT(*) FROM [dbo].[TEACHER_info] r JOIN deleted d ON r.[id_nationality] = d.[IDNationality]);
    IF @rows > 0
    BEGIN
        DECLARE @message nvarchar(400) = N'Запись справочника "Национальность" используется в карточках сотрудников (записей: '
            + CAST(@rows AS nvarchar(12)) + N') и не может быть удалена.';
        THROW 50010, @message, 1;
    END
END
GO

IF OBJECT_ID(N'[dbo].[TR_Edu_InUse]', N'TR') IS NOT NULL DROP TRIGGER [dbo].[TR_Edu_InUse]
GO
CREATE OR ALTER TRIGGER [dbo].[TR_Edu_InUse] ON [dbo].[Edu] AFTER DELETE AS
BEGIN
    SET NOCOUNT ON;
    DECLARE @rows int = (SELECT COUNT(*) FROM [dbo].[Educ] r JOIN deleted d ON r.[id_edu] = d.[id_edu]);
    IF @rows > 0
    BEGIN
        DECLARE @message nvarchar(400) = N'Запись справочника "Образование" используется в карточках сотрудников (записей: '
            + CAST(@rows AS nvarchar(12)) + N') и не может быть удалена.';
        THROW 50010, @message, 1;
    END
END
GO

IF OBJECT_ID(N'[dbo].[TR_teacher_struktura_InUse]', N'TR') IS NOT NULL DROP TRIGGER [dbo].[TR_teacher_struktura_InUse]
GO
CREATE OR ALTER TRIGGER [dbo].[TR_teacher_struktura_InUse] ON [dbo].[teacher_struktura] AFTER DELETE AS
BEGIN
    SET NOCOUNT ON;
    DECLARE @rows int = (SELECT COUNT(*) FROM [dbo].[obrazovanie_teacher] r JOIN deleted d ON r.[id_teacher_struktura] = d.[id_teacher_struktura]);
    IF @rows > 0
    BEGIN
        DECLARE @message nvarchar(400) = N'Запись справочника "Структура выдавщая документ" используется в карточках сотрудников (записей: '
            + CAST(@rows AS nvarchar(12)) + N') и не может быть удалена.';
        THROW 50010, @message, 1;
    END
END
GO

IF OBJECT_ID(N'[dbo].[TR_teacher_stepen_InUse]', N'TR') IS NOT NULL DROP TRIGGER [dbo].[TR_teacher_stepen_InUse]
GO
CREATE OR ALTER TRIGGER [dbo].[TR_teacher_stepen_InUse] ON [dbo].[teacher_stepen] AFTER DELETE AS
BEGIN
    SET NOCOUNT ON;
    DECLARE @rows int = (SELECT COUNT(*) FROM [dbo].[obrazovanie_teacher] r JOIN deleted d ON r.[id_teacher_stepen] = d.[id_teacher_stepen]);
    IF @rows > 0
    BEGIN
        DECLARE @message nvarchar(400) = N'Запись справочника "Степень послевузовского документа" используется в карточках сотрудников (записей: '
            + CAST(@rows AS nvarchar(12)) + N') и не может быть удалена.';
        THROW 50010, @message, 1;
    END
END
GO
