-- Sign-in tables, roles, logins and rights of the ZEL 4 personnel database.
-- Run with sqlcmd after 01_schema.sql and 02_procedures.sql, giving the
-- database name and the passwords as variables (see README.md):
--   sqlcmd ... -v DATABASE="ZEL" BOOT_PASSWORD="..." EDITOR_PASSWORD="..." READER_PASSWORD="..." -i 03_security.sql
-- The bootstrap login is written into the program's Data\ZEL file: it may
-- only execute GET_USER. Logins and passwords there hold at most 20 characters.
-- Every object is created only when missing, so the script runs again after
-- an upgrade; existing logins keep their passwords.
SET ANSI_NULLS ON
GO
SET QUOTED_IDENTIFIER ON
GO

IF OBJECT_ID(N'[dbo].[ZEL_SETTINGS]', N'U') IS NULL
CREATE TABLE [dbo].[ZEL_SETTINGS] (
    [name] nvarchar(50) NOT NULL CONSTRAINT [PK_ZEL_SETTINGS] PRIMARY KEY,
    [value] nvarchar(250) NULL
)
GO
IF NOT EXISTS (SELECT 1 FROM [dbo].[ZEL_SETTINGS] WHERE [name] = N'program_version')
    INSERT INTO [dbo].[ZEL_SETTINGS] ([name], [value]) VALUES (N'program_version', N'2')
GO

-- Clerks who sign in through GET_USER. Only a salted, stretched verifier of
-- the MD5 hash the client sends is kept; the database password is kept
-- shifted because GET_USER hands it out in that form.
IF OBJECT_ID(N'[dbo].[ZEL_USERS]', N'U') IS NULL
CREATE TABLE [dbo].[ZEL_USERS] (
    [login] nvarchar(50) NOT NULL CONSTRAINT [PK_ZEL_USERS] PRIMARY KEY,
    [full_name] nvarchar(100) NULL,
    [salt] varbinary(16) NOT NULL,
    [verifier] varbinary(32) NOT NULL,
    [iterations] int NOT NULL CONSTRAINT [DF_ZEL_USERS_iterations] DEFAULT (10000),
    [must_change] bit NOT NULL CONSTRAINT [DF_ZEL_USERS_must_change] DEFAULT (1),
    [password_expires] date NULL,
    [refusal_message] nvarchar(250) NULL,
    [db_login] varchar(50) NOT NULL,
    [db_password_shifted] varchar(50) NOT NULL,
    [last_sign_in] datetime NULL,
    [last_workstation] nvarchar(300) NULL
)
GO

-- Adds or replaces a clerk. @password is the clerk's password as typed; the
-- database password is stored shifted. A new clerk must change the password
-- at the first sign-in unless @must_change = 0.
CREATE OR ALTER PROCEDURE [dbo].[ZEL_SetUser]
    @login nvarchar(50),
    @password nvarchar(50),
    @full_name nvarchar(100),
    @db_login varchar(50),
    @db_password varchar(50),
    @must_change bit = 1,
    @refusal_message nvarchar(250) = NULL
AS
BEGIN
    SET NOCOUNT ON;
    DECLARE @salt varbinary(16) = CRYPT_GEN_RANDOM(16);
    -- The client hashes the Windows-1251 bytes of the password.
    DECLARE @hash varchar(32) = CONVERT(varchar(32), HASHBYTES('MD5', CAST(@password AS varchar(50))), 2);
    MERGE [dbo].[ZEL_USERS] AS target
    USING (SELECT @login AS [login]) AS source ON target.[login] = source.[login]
    WHEN MATCHED THEN UPDATE SET full_name = @full_name, salt = @salt,
        verifier = [dbo].[ZEL_PasswordVerifier](@salt, @hash, 10000), iterations = 10000,
        must_change = @must_change, password_expires = NULL, refusal_message = @refusal_message,
        db_login = @db_login, db_password_shifted = [dbo].[ZEL_Shift](@db_password)
    WHEN NOT MATCHED THEN INSERT ([login], full_name, salt, verifier, iterations, must_change,
        refusal_message, db_login, db_password_shifted)
        VALUES (@login, @full_name, @salt, [dbo].[ZEL_PasswordVerifier](@salt, @hash, 10000), 10000,
                @must_change, @refusal_message, @db_login, [dbo].[ZEL_Shift](@db_password));
END
GO

-- Roles: sign-in only, editing, reading.
IF DATABASE_PRINCIPAL_ID(N'zel_signin') IS NULL
    CREATE ROLE [zel_signin]
GO
GRANT EXECUTE ON [dbo].[GET_USER] TO [zel_signin]
GO

IF DATABASE_PRINCIPAL_ID(N'zel_editors') IS NULL
    CREATE ROLE [zel_editors]
GO
GRANT SELECT, INSERT, UPDATE, DELETE ON SCHEMA::[dbo] TO [zel_editors]
GRANT EXECUTE ON [dbo].[CopyDataFromTeacher] TO [zel_editors]
GRANT EXECUTE ON [dbo].[DeleteTeacher] TO [zel_editors]
GRANT EXECUTE ON [dbo].[DeleteTeacher2] TO [zel_editors]
GRANT EXECUTE ON [dbo].[Update_Family_Staus] TO [zel_editors]
-- The audit trail is written, never rewritten.
DENY UPDATE, DELETE ON [dbo].[ZEL_LOG] TO [zel_editors]
-- Row 23 is the update server every workstation installs its program from,
-- row 22 the report server that receives the clerks' password digests: only
-- the administrator (the database owner) changes them.
DENY INSERT, UPDATE, DELETE ON [dbo].[VuzDefaults] TO [zel_editors]
DENY SELECT, INSERT, UPDATE, DELETE ON [dbo].[ZEL_USERS] TO [zel_editors]
DENY INSERT, UPDATE, DELETE ON [dbo].[ZEL_SETTINGS] TO [zel_editors]
GO

IF DATABASE_PRINCIPAL_ID(N'zel_readers') IS NULL
    CREATE ROLE [zel_readers]
GO
GRANT SELECT ON SCHEMA::[dbo] TO [zel_readers]
DENY SELECT ON [dbo].[ZEL_USERS] TO [zel_readers]
GO

-- Both working roles fill the address picker.
GRANT EXECUTE ON [dbo].[Ab_RepublicProcSchool] TO [zel_editors], [zel_readers]
GRANT EXECUTE ON [dbo].[ab_RegionProcSchool] TO [zel_editors], [zel_readers]
GRANT EXECUTE ON [dbo].[ab_DistrictProcSchool] TO [zel_editors], [zel_readers]
GRANT EXECUTE ON [dbo].[ab_CityProcSchool] TO [zel_editors], [zel_readers]
GRANT EXECUTE ON [dbo].[ab_VillageProcSchool] TO [zel_editors], [zel_readers]
GO

-- Server logins and their database users.
USE [master]
GO
IF SUSER_ID(N'zel_boot') IS NULL
    CREATE LOGIN [zel_boot] WITH PASSWORD = N'$(BOOT_PASSWORD)', DEFAULT_DATABASE = [$(DATABASE)], CHECK_POLICY = ON
IF SUSER_ID(N'zel_editor') IS NULL
    CREATE LOGIN [zel_editor] WITH PASSWORD = N'$(EDITOR_PASSWORD)', DEFAULT_DATABASE = [$(DATABASE)], CHECK_POLICY = ON
IF SUSER_ID(N'zel_reader') IS NULL
    CREATE LOGIN [zel_reader] WITH PASSWORD = N'$(READER_PASSWORD)', DEFAULT_DATABASE = [$(DATABASE)], CHECK_POLICY = ON
GO
USE [$(DATABASE)]
GO
IF DATABASE_PRINCIPAL_ID(N'zel_boot') IS NULL
    CREATE USER [zel_boot] FOR LOGIN [zel_boot]
IF DATABASE_PRINCIPAL_ID(N'zel_editor') IS NULL
    CREATE USER [zel_editor] FOR LOGIN [zel_editor]
IF DATABASE_PRINCIPAL_ID(N'zel_reader') IS NULL
    CREATE USER [zel_reader] FOR LOGIN [zel_reader]
GO
ALTER ROLE [zel_signin] ADD MEMBER [zel_boot]
ALTER ROLE [zel_editors] ADD MEMBER [zel_editor]
ALTER ROLE [zel_readers] ADD MEMBER [zel_reader]
GO
