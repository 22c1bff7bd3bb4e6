// The word texts of the formatter: the reserved words as an alternation of "^WORD$" entries,
// and the SQL*Plus commands with their optional tails in brackets; the word sets made of them.
#include "filetables.h"
#include "support.h"

namespace {

// Laid out as the entries stood in their source lists; the layout characters, the "|" lines
// and the repeated words do no harm, since only the words inside "^" and "$" are taken.
// clang-format off
const char* const reservedwordentries =
    "^ALL$|^ALTER$|^AND$|^ANY$|^AS$|^ASC$|^BETWEEN$|^BY$|^CHAR$|^CHECK$|^CLUSTER$|^COMMENT$|^COMPRESS$|"
    "\n                      ^CONNECT$|^CREATE$|^CURRENT$|^DATE$|^DECIMAL$|^DEFAULT$|^delete$|^DESC$|^DISTINCT$|^DROP$|^ELSE$|"
    "\n                      ^EXCLUSIVE$|^EXISTS$|^FLOAT$|^FOR$|^FROM$|^GROUP$|^HAVING$|^IMMEDIATE$|^IN$|^INDEX$|^INSERT$|"
    "\n                      ^INTEGER$|^INTERSECT$|^INTO$|^IS$|^LEVEL$|^LIKE$|^LOCK$|^LONG$|^MINUS$|^MLSLABEL$|^MODE$|^NOT$|"
    "\n                      ^NOWAIT$|^NULL$|^NUMBER$|^OF$|^ON$|^OPTION$|^OR$|^ORDER$|^PCTFREE$|^PRIOR$|^PUBLIC$|^RAW$|^ROW$|"
    "\n                      ^ROWID$|^ROWNUM$|^SELECT$|^SET$|^SHARE$|^SMALLINT$|^START$|^SUCCESSFUL$|^SYNONYM$|^SYSDATE$|^TABLE$|"
    "\n                      ^THEN$|^TO$|^TRIGGER$|^UID$|^UNION$|^UNIQUE$|^UPDATE$|^USER$|^VALIDATE$|^VALUES$|^VARCHAR$|"
    "\n                      ^VARCHAR2$|^VIEW$|^WHENEVER$|^WHERE$|^WITH$|^ARRAY$|^AT$|^AUTHID$|^AVG$|^BEGIN$|^BINARY_INTEGER$|"
    "\n                      ^BODY$|^BOOLEAN$|^BULK$|^CHAR_BASE$|^CLOSE$|^COLLECT$|^COMMIT$|^CONSTANT$|^CURRVAL$|^CURSOR$|^DAY$|"
    "\n                      ^DECLARE$|^DO$|^ELSIF$|^END$|^EXCEPTION$|^EXECUTE$|^EXIT$|^EXTENDS$|^FALSE$|^FETCH$|^FORALL$|"
    "\n                      ^FUNCTION$|^GOTO$|^HEAP$|^HOUR$|^IF$|^INDICATOR$|^INTERFACE$|^INTERVAL$|^ISOLATION$|^JAVA$|"
    "\n                      ^LIMITED$|^LOOP$|^MAX$|^MIN$|^MINUTE$|^MOD$|^MONTH$|^NATURAL$|^NATURALN$|^NEW$|^NEXTVAL$|^NOCOPY$|"
    "\n                      ^NUMBER_BASE$|^OCIROWID$|^OPAQUE$|^OPEN$|^OPERATOR$|^ORGANIZATION$|^OTHERS$|^OUT$|^PACKAGE$|"
    "\n                      ^PARTITION$|^PLS_INTEGER$|^POSITIVE$|^POSITIVEN$|^PRAGMA$|^PRIVATE$|^PROCEDURE$|^RAISE$|^RANGE$|"
    "\n                      ^REAL$|^RECORD$|^REF$|^RELEASE$|^RETURN$|^REVERSE$|^ROLLBACK$|^ROWTYPE$|^SAVEPOINT$|^SECOND$|"
    "\n                      ^SEPARATE$|^SPACE$|^SQL$|^SQLCODE$|^SQLERRM$|^STDDEV$|^SUBTYPE$|^SUM$|^TIME$|^TIMESTAMP$|^TRUE$|"
    "\n                      ^TYPE$|^USE$|^VARIANCE$|^WHEN$|^WHILE$|^WORK$|^WRITE$|^YEAR$|^ZONE$|"
    "\n                      |"
    "\n                      ^ACCESS$|^ADD$|^ALL$|^ALTER$|^AND$|^ANY$|^AS$|^ASC$|^AUDIT$|^BETWEEN$|^BY$|^CHAR$|^CHECK$|^CLUSTER$|"
    "\n                      ^COLUMN$|^COMMENT$|^COMPRESS$|^CONNECT$|^CREATE$|^CURRENT$|^DATE$|^DECIMAL$|^DEFAULT$|^DELETE$|"
    "\n                      ^DESC$|^DISTINCT$|^DROP$|^ELSE$|^EXCLUSIVE$|^EXISTS$|^FILE$|^FLOAT$|^FOR$|^FROM$|^GRANT$|^GROUP$|"
    "\n                      ^HAVING$|^IDENTIFIED$|^IMMEDIATE$|^IN$|^INCREMENT$|^INDEX$|^INITIAL$|^INSERT$|^INTEGER$|^INTERSECT$|"
    "\n                      ^INTO$|^IS$|^LEVEL$|^LIKE$|^LOCK$|^LONG$|^MAXEXTENTS$|^MINUS$|^MLSLABEL$|^MODE$|^MODIFY$|^NOAUDIT$|"
    "\n                      ^NOCOMPRESS$|^NOT$|^NOWAIT$|^NULL$|^NUMBER$|^OF$|^OFFLINE$|^ON$|^ONLINE$|^OPTION$|^OR$|^ORDER$|"
    "\n                      ^PCTFREE$|^PRIOR$|^PRIVILEGES$|^PUBLIC$|^RAW$|^RENAME$|^RESOURCE$|^REVOKE$|^ROW$|^ROWID$|^ROWNUM$|"
    "\n                      ^ROWS$|^SELECT$|^SESSION$|^SET$|^SHARE$|^SIZE$|^SMALLINT$|^START$|^SUCCESSFUL$|^SYNONYM$|^SYSDATE$|"
    "\n                      ^TABLE$|^THEN$|^TO$|^TRIGGER$|^UID$|^UNION$|^UNIQUE$|^UPDATE$|^USER$|^VALIDATE$|^VALUES$|^VARCHAR$|"
    "\n                      ^VARCHAR2$|^VIEW$|^WHENEVER$|^WHERE$|^WITH$|"
    "\n                      |"
    "\n                      ^ACCOUNT$|^BFILE$|^ACTIVATE$|^BITMAP$|^ADMIN$|^BLOB$|^AFTER$|^BLOCK$|^ALLOCATE$|^BODY$|^ALL_ROWS$|"
    "\n                      ^ANALYZE$|^CACHE$|^ARCHIVE$|^CACHE_INSTANCES$|^ARCHIVELOG$|^CANCEL$|^ARRAY$|^CASCADE$|^AT$|^CAST$|"
    "\n                      ^AUTHENTICATED$|^CFILE$|^AUTHORIZATION$|^CHAINED$|^AUTOEXTEND$|^CHANGE$|^AUTOMATIC$|^CHARACTER$|"
    "\n                      ^CHAR_CS$|^BACKUP$|^CHECKPOINT$|^BECOME$|^CHOOSE$|^BEFORE$|^CHUNK$|^BEGIN$|^CLEAR$|^CLOB$|^CLONE$|"
    "\n                      ^DEREF$|^CLOSE$|^DIRECTORY$|^CLOSE_CACHED_OPEN_CURSORS$|^DISABLE$|^COALESCE$|^DISCONNECT$|^COLUMNS$|"
    "\n                      ^DISMOUNT$|^COMMIT$|^DISTRIBUTED$|^COMMITTED$|^DML$|^COMPATABILITY$|^DOUBLE$|^COMPILE$|^DUMP$|"
    "\n                      ^COMPLETE$|^COMPOSITE_LIMIT$|^EACH$|^COMPUTE$|^ENABLE$|^CONNECT_TIME$|^END$|^CONSTRAINT$|^ENFORCE$|"
    "\n                      ^CONSTRAINTS$|^ENTRY$|^CONTENTS$|^ESCAPE$|^CONTINUE$|^ESTIMATE$|^CONTROLFILE$|^EVENTS$|^CONVERT$|"
    "\n                      ^EXCEPT$|^COST$|^EXCEPTIONS$|^COUNT$|^EXCHANGE$|^CPU_PER_CALL$|^EXCLUDING$|^CPU_PER_SESSION$|"
    "\n                      ^EXECUTE$|^CURRENT_SCHEMA$|^EXPIRE$|^CURRENT_USER$|^EXPLAIN$|^CURSOR$|^EXTENT$|^CYCLE$|^EXTENTS$|"
    "\n                      ^EXTERNALLY$|^DANGLING$|^DATABASE$|^FAILED_LOGIN_ATTEMPTS$|^DATAFILE$|^FALSE$|^DATAFILES$|^FAST$|"
    "\n                      ^DATAOBJNO$|^FIRST_ROWS$|^DBA$|^FLAGGER$|^DEALLOCATE$|^DEBUG$|^FLUSH$|^DEC$|^FORCE$|^DECLARE$|"
    "\n                      ^FOREIGN$|^DEFERRABLE$|^FREELIST$|^DEFERRED$|^FREELISTS$|^DEGREE$|^FULL$|^FUNCTION$|^LIST$|^LOB$|"
    "\n                      ^GLOBAL$|^LOCAL$|^GLOBALLY$|^LOG$|^GLOBAL_NAME$|^LOGFILE$|^GROUPS$|^LOGGING$|"
    "\n                      ^LOGICAL_READS_PER_CALL$|^HASH$|^LOGICAL_READS_PER_SESSION$|^HASHKEYS$|^HEADER$|^HEAP$|^MANAGE$|"
    "\n                      ^MASTER$|^IDLE_TIME$|^MAX$|^IF$|^MAXARCHLOGS$|^INCLUDING$|^MAXDATAFILES$|^INDEXED$|^MAXINSTANCES$|"
    "\n                      ^INDEXES$|^MAXLOGFILES$|^INDICATOR$|^MAXLOGHISTORY$|^IND_PARTITION$|^MAXLOGMEMBERS$|^INITIALLY$|"
    "\n                      ^MAXSIZE$|^INITRANS$|^MAXTRANS$|^INSTANCE$|^MAXVALUE$|^INSTANCES$|^MEMBER$|^INSTEAD$|^MIN$|^INT$|"
    "\n                      ^MINEXTENTS$|^INTERMEDIATE$|^MINIMUM$|^ISOLATION$|^MINVALUE$|^ISOLATION_LEVEL$|^MOUNT$|^MOVE$|"
    "\n                      ^KEEP$|^MTS_DISPATCHERS$|^KEY$|^MULTISET$|^KILL$|^NATIONAL$|^LAYER$|^NCHAR$|^LESS$|^NCHAR_CS$|"
    "\n                      ^LIBRARY$|^NCLOB$|^LIMIT$|^NEEDED$|^LINK$|^NESTED$|^NETWORK$|^NEW$|^ORGANIZATION$|^NEXT$|^OVERFLOW$|"
    "\n                      ^NLS_CALENDAR$|^OWN$|^NLS_CHARACTERSET$|^NLS_ISO_CURRENCY$|^PACKAGE$|^NLS_LANGUAGE$|^PARALLEL$|"
    "\n                      ^NLS_NUMERIC_CHARACTERS$|^PARTITION$|^NLS_SORT$|^PASSWORD$|^NLS_SPECIAL_CHARS$|"
    "\n                      ^PASSWORD_GRACE_TIME$|^NLS_TERRITORY$|^PASSWORD_LIFE_TIME$|^NOARCHIVELOG$|^PASSWORD_LOCK_TIME$|"
    "\n                      ^NOCACHE$|^PASSWORD_REUSE_MAX$|^NOCYCLE$|^PASSWORD_REUSE_TIME$|^NOFORCE$|^PASSWORD_VERIFY_FUNCTION$|"
    "\n                      ^NOLOGGING$|^PCTINCREASE$|^NOMAXVALUE$|^PCTTHRESHOLD$|^NOMINVALUE$|^PCTUSED$|^NONE$|^PCTVERSION$|"
    "\n                      ^NOORDER$|^PERCENT$|^NOOVERIDE$|^PERMANENT$|^NOPARALLEL$|^PLAN$|^NORESETLOGS$|^PLSQL_DEBUG$|"
    "\n                      ^NOREVERSE$|^POST_TRANSACTION$|^NORMAL$|^PRECISION$|^NOSORT$|^PRESERVE$|^NOTHING$|^PRIMARY$|"
    "\n                      ^NUMERIC$|^PRIVATE$|^NVARCHAR2$|^PRIVATE_SGA$|^PRIVILEGE$|^OBJECT$|^PROCEDURE$|^OBJNO$|^PROFILE$|"
    "\n                      ^OBJNO_REUSE$|^PURGE$|^OFF$|^OID$|^QUEUE$|^OIDINDEX$|^QUOTA$|^OLD$|^ONLY$|^RANGE$|^OPCODE$|^RBA$|"
    "\n                      ^OPEN$|^READ$|^OPTIMAL$|^REAL$|^OPTIMIZER_GOAL$|^REBUILD$|^RECOVER$|^SNAPSHOT$|^RECOVERABLE$|^SOME$|"
    "\n                      ^RECOVERY$|^SORT$|^REF$|^SPECIFICATION$|^REFERENCES$|^SPLIT$|^REFERENCING$|^SQLCODE$|^REFRESH$|"
    "\n                      ^SQLERROR$|^REPLACE$|^SQL_TRACE$|^RESET$|^STANDBY$|^RESETLOGS$|^STATEMENT_ID$|^RESIZE$|^STATISTICS$|"
    "\n                      ^RESTRICTED$|^STOP$|^RETURN$|^STORAGE$|^RETURNING$|^STORE$|^REUSE$|^STRUCTURE$|^REVERSE$|^SUM$|"
    "\n                      ^ROLE$|^SWITCH$|^ROLES$|^SYSDBA$|^ROLLBACK$|^SYSOPER$|^RULE$|^SYSTEM$|^SAMPLE$|^TABLES$|^SAVEPOINT$|"
    "\n                      ^TABLESPACE$|^SCAN_INSTANCES$|^TABLESPACE_NO$|^SCHEMA$|^TABNO$|^SCN$|^TEMPORARY$|^SCOPE$|^THAN$|"
    "\n                      ^SD_ALL$|^THE$|^SD_INHIBIT$|^THREAD$|^SD_SHOW$|^TIME$|^SEGMENT$|^TIMESTAMP$|^SEG_BLOCK$|^TOPLEVEL$|"
    "\n                      ^SEG_FILE$|^TRACE$|^SEQUENCE$|^TRACING$|^SERIALIZABLE$|^TRANSACTION$|^SESSIONS_PER_USER$|"
    "\n                      ^TRANSITIONAL$|^SESSION_CACHED_CURSORS$|^TRIGGERS$|^SHARED$|^TRUE$|^SHARED_POOL$|^TRUNCATE$|"
    "\n                      ^SHRINK$|^TX$|^SKIP_UNUSABLE_INDEXES$|^TYPE$|^UBA$|^VALIDATION$|^UNARCHIVED$|^VALUE$|^UNDER$|"
    "\n                      ^VARRAY$|^UNDO$|^VARYING$|^UNLIMITED$|^UNLOCK$|^WHEN$|^UNRECOVERABLE$|^WITHOUT$|^UNTIL$|^WORK$|"
    "\n                      ^UNUSABLE$|^WRITE$|^UNUSED$|^UPDATABLE$|^XID$|^USAGE$|^USE$|^USING$|^CASE$";
// clang-format on

const char* const sqlpluscommandentries =
    "@\n"
    "@@\n"
    "ACC[EPT]\n"
    "A[PPEND]\n"
    "ARCHIVE\n"
    "ATTR[IBUTE]\n"
    "BRE[AK]\n"
    "BTI[TLE]\n"
    "C[HANGE]\n"
    "CL[EAR]\n"
    "COL[UMN]\n"
    "COMP[UTE]\n"
    "CONN[ECT]\n"
    "COPY\n"
    "DEF[INE]\n"
    "DEL\n"
    "DESC[RIBE]\n"
    "DISC[ONNECT]\n"
    "DOC[UMENT]\n"
    "ED[IT]\n"
    "EXEC[UTE]\n"
    "EXIT\n"
    "GET\n"
    "HELP\n"
    "HO[ST]\n"
    "I[NPUT]\n"
    "L[IST]\n"
    "PASSW[ORD]\n"
    "PAU[SE]\n"
    "PRI[NT]\n"
    "PRO[MPT]\n"
    "RECOVER\n"
    "REM[ARK]\n"
    "REPF[OOTER]\n"
    "REPH[EADER]\n"
    "R[UN]\n"
    "SAV[E]\n"
    "SET\n"
    "SHO[W]\n"
    "SHUTDOWN\n"
    "SPO[OL]\n"
    "STA[RT]\n"
    "STARTUP\n"
    "STORE\n"
    "TIM[NG]\n"
    "TTI[TLE]\n"
    "UNDEF[INE]\n"
    "VAR[IABLE]\n"
    "WHENEVER\n"
    "XQUERY\n"
    "QUIT\n"
    "NEWPAGE\n";

}  // namespace

void fillwordsets(wordset& reservedwords, wordset& sqlpluscommands) {
    const std::string_view reservedwordtext = reservedwordentries;
    const std::string_view sqlpluscommandtext = sqlpluscommandentries;
    const pattern& entry = pattern::get("(?:\\^(.+?)\\$)");
    patternmatch m;
    for (size_t pos = 0; entry.findandconsume(reservedwordtext, pos, &m);) reservedwords.insert(lc(m.group(1)));
    const pattern& command = pattern::get("(\\w+)\\[(\\w+)\\]|(\\w+)");
    for (size_t pos = 0; command.findandconsume(sqlpluscommandtext, pos, &m);) {
        if (m.matched(1)) {
            sqlpluscommands.insert(lc(m.group(1)));
            sqlpluscommands.insert(lc(m.str(1) + m.str(2)));
        } else {
            sqlpluscommands.insert(lc(m.group(3)));
        }
    }
}
