// The PL/SQL generator: units are drawn from a few templates with varied names, nesting
// depth and line lengths until the text reaches the size asked for.
#include "plsqlgenerator.h"

#include <random>
#include <vector>

namespace {

class writer {
public:
    writer(uint32_t seed, bool macros) : macros(macros), random(seed) {}

    std::string text;
    const bool macros;

    int pick(int n) { return static_cast<int>(random() % static_cast<uint32_t>(n)); }
    std::string name(const char* prefix) { return std::string(prefix) + std::to_string(pick(5000)); }
    void line(int depth, const std::string& content) {
        text.append(static_cast<size_t>(depth) * 2, ' ');
        text += content;
        text += '\n';
    }

    void statement(int depth) {
        if (macros && pick(4) == 0) {
            macrostatement(depth);
            return;
        }
        switch (pick(9)) {
        case 0:
            line(depth, "select count(*), max(" + name("col") + ") into v_count, v_max from " + name("tab") +
                            " t where t.id = p_id and t.status in ('A', 'B');");
            break;
        case 1:
            line(depth, "update " + name("tab") +
                            " set amount=amount+1, changed = sysdate where id=" + std::to_string(pick(100)) + ";");
            break;
        case 2: line(depth, "v_text := 'it''s ' || to_char(v_count) || q'[ with 'quotes' ]';"); break;
        case 3: line(depth, "-- a remark about " + name("item") + " that explains nothing"); break;
        case 4:
            line(depth, "/* block comment");
            line(depth, "   over two lines */ null;");
            break;
        case 5: {
            std::string call = name("proc") + "(";
            for (int i = 0, n = 20 + pick(60); i < n; ++i) call += (i ? ", " : "") + name("arg");
            line(depth, call + ");");  // a long line
            break;
        }
        case 6: line(depth, "insert into " + name("tab") + " (a, b, c) values (1, 'two', 3.5e+2);"); break;
        case 7: line(depth, "v_x:=v_y*2-v_z/3;"); break;
        default: line(depth, "delete from " + name("tab") + " where created < sysdate - 30;");
        }
    }

    // Statements that only compile once the preprocessor has run.
    void macrostatement(int depth) {
        switch (pick(3)) {
        case 0: line(depth, "v_count := SCALE(v_count, " + std::to_string(pick(10)) + ") + LIMIT;"); break;
        case 1: line(depth, "insert into AUDIT_TABLE (id, note) values (p_id, NOTE(" + name("step") + "));"); break;
        default:
            text += "#if TRACE_LEVEL > 1\n";
            line(depth, "dbms_output.put_line('trace ' || p_id);");
            text += "#endif\n";
        }
    }

    static void definemacros(std::string& text) {
        text += "#define SCALE(a, b) ((a) * (b))\n";
        text += "#define LIMIT 100\n";
        text += "#define AUDIT_TABLE app_audit_log\n";
        text += "#define NOTE(x) #x\n";
        text += "#define TRACE_LEVEL 2\n\n";
    }

    // SQL*Plus PROMPT lines between units. Those at the start of the text, before any
    // statement, may hold an apostrophe: a quote that a PROMPT line must keep to itself.
    // The script starts with a long run of them, every one a cut of a literal.
    void prompts() {
        const bool apostrophes = text.empty() || (macros && text.find("\nPROMPT") == std::string::npos);
        for (int i = 0, n = apostrophes ? 100 + pick(100) : 3 + pick(8); i < n; ++i) {
            if (apostrophes && pick(2) == 0)
                line(0, "PROMPT Don't stop: step " + std::to_string(i) + " of " + name("job"));
            else line(0, "PROMPT Step " + std::to_string(i) + " done for " + name("job"));
        }
    }

    void block(int depth, int nesting) {
        int statements = 2 + pick(5);
        for (int i = 0; i < statements; ++i) {
            if (nesting > 0 && pick(4) == 0) {
                switch (pick(3)) {
                case 0:
                    line(depth, "if v_count > " + std::to_string(pick(10)) + " then");
                    block(depth + 1, nesting - 1);
                    line(depth, "else");
                    block(depth + 1, nesting - 1);
                    line(depth, "end if;");
                    break;
                case 1:
                    line(depth, "for r in (select id from " + name("tab") + ") loop");
                    block(depth + 1, nesting - 1);
                    line(depth, "end loop;");
                    break;
                default:
                    line(depth, "begin");
                    block(depth + 1, nesting - 1);
                    line(depth, "exception");
                    line(depth + 1, "when others then");
                    line(depth + 2, "raise;");
                    line(depth, "end;");
                }
            } else {
                statement(depth);
            }
        }
    }

    void package() {
        std::string package = name("pkg_");
        prompts();
        line(0, "PROMPT Creating package " + package + " (part of the build)");
        line(0, "create or replace package body " + package + " is");
        for (int i = 0, n = 2 + pick(4); i < n; ++i) {
            std::string procedure = name("p_");
            line(1, "procedure " + procedure + "(p_id in number, p_name in varchar2) is");
            line(2, "v_count number := 0;");
            line(2, "v_max number;");
            line(2, "v_text varchar2(200);");
            line(1, "begin");
            block(2, 3);
            line(1, "end " + procedure + ";");
            line(0, "");
        }
        line(0, "end " + package + ";");
        line(0, "/");
        line(0, "");
    }

private:
    std::mt19937 random;
};

}  // namespace

std::string generateplsql(size_t bytes, uint32_t seed, bool macros) {
    writer w(seed, macros);
    w.text.reserve(bytes + 4096);
    if (macros) writer::definemacros(w.text);
    while (w.text.size() < bytes) w.package();
    return w.text;
}
