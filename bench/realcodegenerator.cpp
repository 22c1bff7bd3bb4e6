// Generated PL/SQL in the style of real projects: install scripts with SQL*Plus commands,
// package specs and bodies, object types, triggers and grants, with conditional compilation,
// CASE, MERGE, analytic queries, cursors, bulk binds and exception handlers.
#include "plsqlgenerator.h"

#include <random>
#include <string>

namespace {

class projectwriter {
public:
    projectwriter(uint32_t seed, bool macros) : macros(macros), random(seed) {}

    std::string text;

    void unit() {
        switch (pick(10)) {
        case 0: installscript(); break;
        case 1: objecttype(); break;
        case 2: trigger(); break;
        case 3: grants(); break;
        default: packagespec(); packagebody();
        }
    }

    void definemacros() {
        text += "#define TRACE_ON 1\n";
        text += "#define LOG_TABLE app_log_entries\n";
        text += "#define CHECK_ID(x) if (x) is null then raise_application_error(-20001, 'missing id'); end if\n";
        text += "#define ROUNDED(v, d) round((v), (d))\n\n";
    }

private:
    const bool macros;
    std::mt19937 random;
    std::string package;  // the package being written

    int pick(int n) { return static_cast<int>(random() % static_cast<uint32_t>(n)); }
    std::string number(int n) { return std::to_string(pick(n)); }
    std::string name(const char* prefix) { return std::string(prefix) + number(900); }
    template <size_t n>
    const char* oneof(const char* const (&words)[n]) {
        return words[pick(static_cast<int>(n))];
    }

    void line(int depth, const std::string& content) {
        text.append(static_cast<size_t>(depth) * 2, ' ');
        text += content;
        text += '\n';
    }
    void blank() { text += '\n'; }

    std::string table() {
        static const char* const tables[] = {"orders",   "order_lines", "customers", "invoices",    "payments",
                                             "products", "stock_moves", "employees", "departments", "audit_log"};
        return oneof(tables);
    }
    std::string column() {
        static const char* const columns[] = {"id",       "status",     "amount",      "created_at", "customer_id",
                                              "quantity", "unit_price", "description", "region",     "due_date"};
        return oneof(columns);
    }

    void installscript() {
        std::string owner = name("app");
        line(0, "set define on");
        line(0, "set serveroutput on size unlimited");
        line(0, "set feedback off");
        line(0, "whenever sqlerror exit failure rollback");
        line(0, "define app_owner = " + owner);
        line(0, "define tbs_data = " + owner + "_data");
        line(0, "prompt Installing release " + number(9) + "." + number(20) + " into &&app_owner");
        line(0, "spool install_" + owner + ".log");
        blank();
        line(0, "create table &&app_owner.." + name("stage_") + " (");
        line(1, "id          number(12) not null,");
        line(1, "payload     varchar2(4000),");
        line(1, "loaded_at   timestamp default systimestamp,");
        line(1, "constraint " + name("pk_stage_") + " primary key (id)");
        line(0, ") tablespace &&tbs_data;");
        blank();
        line(0, "comment on table &&app_owner.." + table() + " is 'Rows loaded by the nightly job';");
        line(0, "create index " + name("ix_") + " on " + table() + " (" + column() + ", " + column() + ");");
        blank();
        line(0, "begin");
        line(1, "dbms_output.put_line('Schema ' || '&&app_owner' || ' ready');");
        line(0, "end;");
        line(0, "/");
        blank();
        line(0, "@@" + name("create_") + ".sql");
        line(0, "spool off");
        blank();
    }

    void packagespec() {
        package = name("pkg_");
        line(0, "create or replace package " + package + " authid definer is");
        line(1, "-- " + package + ": public interface");
        line(1, "type t_" + table() + "_rec is record (");
        line(2, "id      number(12),");
        line(2, "status  varchar2(30) := 'NEW',");
        line(2, "amount  number(14, 2) default 0");
        line(1, ");");
        line(1, "type t_id_tab is table of number index by pls_integer;");
        line(1, "c_batch_size constant pls_integer := " + number(5000) + ";");
        line(1, "e_locked exception;");
        line(1, "pragma exception_init(e_locked, -54);");
        for (int i = 0, n = 3 + pick(5); i < n; ++i) {
            if (pick(2) == 0)
                line(1, "procedure " + name("process_") + "(p_id in number, p_mode in varchar2 default 'FULL');");
            else line(1, "function " + name("get_") + "(p_id in number) return number;");
        }
        line(0, "end " + package + ";");
        line(0, "/");
        blank();
    }

    void packagebody() {
        line(0, "create or replace package body " + package + " is");
        blank();
        line(1, "g_calls pls_integer := 0;");
        blank();
        for (int i = 0, n = 3 + pick(5); i < n; ++i) {
            subprogram();
            blank();
        }
        line(0, "end " + package + ";");
        line(0, "/");
        line(0, "show errors");
        blank();
    }

    void subprogram() {
        std::string unit = name(pick(2) ? "process_" : "load_");
        bool function = pick(3) == 0;
        if (function) line(1, "function " + unit + "(p_id in number) return number is");
        else line(1, "procedure " + unit + "(p_id in number, p_mode in varchar2 default 'FULL') is");
        line(2, "l_count   pls_integer := 0;");
        line(2, "l_total   number(14, 2);");
        line(2, "l_ids     t_id_tab;");
        line(2, "l_text    varchar2(4000);");
        line(2, "cursor c_rows is select id, " + column() + " from " + table() + " where " + column() + " = p_id;");
        line(1, "begin");
        if (macros) line(2, "CHECK_ID(p_id);");
        for (int i = 0, n = 3 + pick(4); i < n; ++i) statement(2, 2);
        if (function) line(2, "return l_total;");
        line(1, "exception");
        line(2, "when no_data_found then");
        line(3, function ? "return null;" : "null;");
        line(2, "when others then");
        line(3, "log_error('" + unit + "', sqlerrm);");
        line(3, "raise;");
        line(1, "end " + unit + ";");
    }

    void statement(int depth, int nesting) {
        switch (pick(nesting > 0 ? 14 : 9)) {
        case 0:
            line(depth, "select count(*), sum(" + column() + ")");
            line(depth + 1, "into l_count, l_total");
            line(depth + 1, "from " + table() + " t");
            line(depth + 1, "where t." + column() + " = p_id");
            line(depth + 2, "and t.status in ('OPEN', 'HELD');");
            break;
        case 1:
            line(depth, "update " + table() + " set status = 'DONE', amount = amount * 1." + number(20) +
                            " where id = p_id and status <> 'DONE';");
            break;
        case 2:
            line(depth, "l_text := case");
            line(depth + 2, "when l_count = 0 then 'none'");
            line(depth + 2, "when l_count < " + number(100) + " then 'few'");
            line(depth + 2, "else 'many: ' || to_char(l_count)");
            line(depth + 1, "end;");
            break;
        case 3:
            line(depth, "merge into " + table() + " d");
            line(depth, "using (select id, " + column() + " from " + table() + "_stage where batch_id = p_id) s");
            line(depth, "on (d.id = s.id)");
            line(depth, "when matched then update set d.status = 'MERGED'");
            line(depth, "when not matched then insert (id, status) values (s.id, 'NEW');");
            break;
        case 4:
            line(depth, "select id bulk collect into l_ids from (");
            line(depth + 1,
                 "select id, row_number() over (partition by " + column() + " order by " + column() + " desc) rn");
            line(depth + 2, "from " + table() + ")");
            line(depth + 1, "where rn <= c_batch_size;");
            break;
        case 5:
            line(depth, "forall i in 1 .. l_ids.count");
            line(depth + 1, "delete from " + table() + " where id = l_ids(i);");
            break;
        case 6:
            line(depth, std::string("-- ") + oneof(remarks));
            line(depth, "l_total := nvl(l_total, 0) + greatest(l_count, 1) * " + number(50) + ";");
            break;
        case 7: line(depth, "execute immediate q'[alter session set nls_date_format = 'YYYY-MM-DD']';"); break;
        case 8:
            if (macros) {
                text += "#if TRACE_ON\n";
                line(depth, "insert into LOG_TABLE (text) values ('" + name("step") + "');");
                text += "#endif\n";
                line(depth, "l_total := ROUNDED(l_total, 2);");
            } else {
                line(depth,
                     "insert into audit_log (logged_at, text) values (systimestamp, 'step " + number(99) + "');");
            }
            break;
        case 9:
            line(depth, "if l_count > " + number(10) + " then");
            statement(depth + 1, nesting - 1);
            line(depth, "elsif p_mode = 'FULL' then");
            statement(depth + 1, nesting - 1);
            line(depth, "else");
            line(depth + 1, "null;");
            line(depth, "end if;");
            break;
        case 10:
            line(depth, "for r in c_rows loop");
            statement(depth + 1, nesting - 1);
            line(depth + 1, "g_calls := g_calls + 1;");
            line(depth, "end loop;");
            break;
        case 11:
            line(depth, "$if $$debug_on $then");
            line(depth, "dbms_output.put_line('" + name("trace ") + ": ' || l_count);");
            line(depth, "$end");
            statement(depth, nesting - 1);
            break;
        case 12:
            line(depth, "begin");
            statement(depth + 1, nesting - 1);
            line(depth, "exception");
            line(depth + 1, "when dup_val_on_index then");
            line(depth + 2, "l_count := l_count - 1;");
            line(depth, "end;");
            break;
        default:
            line(depth, "case p_mode");
            line(depth + 1, "when 'FULL' then");
            statement(depth + 2, nesting - 1);
            line(depth + 1, "else");
            line(depth + 2, "l_count := 0;");
            line(depth, "end case;");
        }
    }

    static constexpr const char* remarks[] = {
        "recompute the totals before the batch is closed",
        "the caller holds the lock on the parent row",
        "keep in step with the nightly load",
        "TODO: drop once the old interface is gone",
    };

    void objecttype() {
        std::string type = name("t_point_");
        line(0, "create or replace type " + type + " as object (");
        line(1, "x number,");
        line(1, "y number,");
        line(1, "member function distance(p_other in " + type + ") return number,");
        line(1, "static function origin return " + type);
        line(0, ") not final;");
        line(0, "/");
        blank();
        line(0, "create or replace type body " + type + " as");
        line(1, "member function distance(p_other in " + type + ") return number is");
        line(1, "begin");
        line(2, "return sqrt(power(x - p_other.x, 2) + power(y - p_other.y, 2));");
        line(1, "end distance;");
        line(1, "static function origin return " + type + " is");
        line(1, "begin");
        line(2, "return " + type + "(0, 0);");
        line(1, "end origin;");
        line(0, "end;");
        line(0, "/");
        blank();
    }

    void trigger() {
        std::string on = table();
        line(0, "create or replace trigger " + name("trg_") + "_" + on);
        line(1, "before insert or update of status, amount on " + on);
        line(1, "for each row");
        line(0, "declare");
        line(1, "l_now timestamp := systimestamp;");
        line(0, "begin");
        line(1, "if inserting then");
        line(2, ":new.created_at := l_now;");
        line(1, "end if;");
        line(1, ":new.status := upper(trim(:new.status));");
        line(0, "end;");
        line(0, "/");
        blank();
    }

    void grants() {
        line(0, "prompt Grants for " + name("role_"));
        for (int i = 0, n = 2 + pick(4); i < n; ++i)
            line(0, "grant select, insert, update on " + table() + " to " + name("role_") + ";");
        line(0, "create or replace public synonym " + name("syn_") + " for " + table() + ";");
        blank();
    }
};

}  // namespace

std::string generaterealcode(size_t bytes, uint32_t seed, bool macros) {
    projectwriter w(seed, macros);
    w.text.reserve(bytes + 8192);
    if (macros) w.definemacros();
    while (w.text.size() < bytes) w.unit();
    return w.text;
}
