// Forms of real code: CASE expressions after RETURN and inside CASE expressions, a local
// variable named RESULT, every q-quote form, literals the column limit keeps whole, and
// alignment groups that the limit breaks, all formatted twice.
#include "alignmenttesting.h"

namespace {

class realcode : public enginetesting::goldenrun {};

TEST_F(realcode, caseexpressionsresultvariablesandqquotes) {
    verifydefaultandlimit({
        {"create function f(x number) return number is\n"
         "begin\n"
         "return case when x = 1 then 1 else case when x = 2 then 2 else 3 end end;\n"
         "end;\n"
         "/\n",
         "CREATE FUNCTION f(x NUMBER) RETURN NUMBER IS\n"
         "BEGIN\n"
         "  RETURN CASE WHEN x = 1 THEN 1 ELSE CASE WHEN x = 2 THEN 2 ELSE 3 END END;\n"
         "END;\n"
         "/\n"},
        {"create or replace package body p as\n"
         "procedure q as result boolean; begin null; end;\n"
         "end;\n"
         "/\n",
         "CREATE OR REPLACE PACKAGE BODY p AS\n"
         "  PROCEDURE q AS result BOOLEAN; BEGIN NULL; END;\n"
         "END;\n"
         "/\n"},
        {"begin\n"
         "x := Q'[it's here]';\n"
         "y := nq'{a'b}';\n"
         "z := NQ'<it's>';\n"
         "end;\n"
         "/\n",
         "BEGIN\n"
         "  x := Q'[it's here]';\n"
         "  y := nq'{a'b}';\n"
         "  z := NQ'<it's>';\n"
         "END;\n"
         "/\n"},
    });
}

TEST_F(realcode, caseexpressionsafteroperatorsbracketsandcommas) {
    verifyall({
        {"defaults", {}, "begin\nx := 1 + case when a then 1 else 2 end;\np(case when a then 1 end, case b when 1 then 2 end);\nend;\n",
         "BEGIN\n  x := 1 + CASE WHEN a THEN 1 ELSE 2 END;\n  p(CASE WHEN a THEN 1 END, CASE b WHEN 1 THEN 2 END);\nEND;\n"},
        {"defaults", {}, "begin\ncase x\nwhen 1 then case when y then z := 1; end case;\nend case;\nend;\n",
         "BEGIN\n  CASE x\n    WHEN 1 THEN CASE WHEN y THEN z := 1; END CASE;\n  END CASE;\nEND;\n"},
        {"defaults", {}, "create type body t as\nconstructor function t return self as result is\nbegin\nreturn;\nend;\nend;\n/\n",
         "CREATE TYPE BODY t AS\n  constructor FUNCTION t RETURN self AS result IS\n  BEGIN\n    RETURN;\n  END;\nEND;\n/\n"},
    });
}

TEST_F(realcode, thecolumnlimitkeepsliteralsandboundtokenswhole) {
    verifyall({
        {"defaults", {},
         "begin\n"
         "  if true then\n"
         "    t.check(nvl(pkg.get_double(obj, 'a[2][1].a.i[1].E'), 0) = 2.718281828459e210d, 'nvl(...) = 2.718281828459e210d');\n"
         "  end if;\n"
         "end;\n"
         "/\n",
         "BEGIN\n"
         "  IF TRUE THEN\n"
         "    t.check(nvl(pkg.get_double(obj, 'a[2][1].a.i[1].E'), 0) = 2.718281828459e210d, 'nvl(...) = 2.718281828459e210d');\n"
         "  END IF;\n"
         "END;\n"
         "/\n"},
        {"-acav -actv -acarv -as -aav -mcs 100",
        [](settings& s) { s.acav = 1; s.actv = 1; s.acarv = 1; s.as = 1; s.aav = 1; s.mcs = 100; },
         "begin\n"
         "  if true then\n"
         "    t.check(nvl(pkg.get_double(obj, 'a[2][1].a.i[1].E'), 0) = 2.718281828459e210d, 'nvl(...) = 2.718281828459e210d');\n"
         "  end if;\n"
         "end;\n"
         "/\n",
         "BEGIN\n"
         "  IF TRUE THEN\n"
         "    t.check(nvl(pkg.get_double(obj, 'a[2][1].a.i[1].E'), 0) = 2.718281828459e210d,\n"
         "            'nvl(...) = 2.718281828459e210d');\n"
         "  END IF;\n"
         "END;\n"
         "/\n"},
        {"-mcs 40", [](settings& s) { s.mcs = 40; },
         "begin\n"
         "  if true then\n"
         "    v_text := v_prefix || n'a national text that runs on' || :new.description_of_the_order || x%rowcount;\n"
         "  end if;\n"
         "end;\n"
         "/\n",
         "BEGIN\n"
         "  IF TRUE THEN\n"
         "    v_text := v_prefix || n'a national text that runs on'\n"
         "    || :new.description_of_the_order ||\n"
         "    x%rowcount;\n"
         "  END IF;\n"
         "END;\n"
         "/\n"},
        {"-mcs 60", [](settings& s) { s.mcs = 60; },
         "begin\n"
         "  if true then\n"
         "    v_text := v_prefix || n'a national text that runs on' || :new.description_of_the_order || x%rowcount;\n"
         "  end if;\n"
         "end;\n"
         "/\n",
         "BEGIN\n"
         "  IF TRUE THEN\n"
         "    v_text := v_prefix || n'a national text that runs on' ||\n"
         "    :new.description_of_the_order || x%rowcount;\n"
         "  END IF;\n"
         "END;\n"
         "/\n"},
    });
}

// A second run changes nothing: operators that the limit, -amso or -mlipl parts from the other
// operators of their line are rows of the group, as they are when the output is read again.
TEST_F(realcode, alignmentgroupsthatthelimitbreaksstay) {
    verifyall({
        {"-acav -actv -acarv -as -aav -mcs 100",
        [](settings& s) { s.acav = 1; s.actv = 1; s.acarv = 1; s.as = 1; s.aav = 1; s.mcs = 100; },
         "begin\n"
         "  log_pkg.write_entry(p_level => log_pkg.c_level_info, p_text => 'starting the nightly load of the warehouse tables', p_scope => 'etl');\n"
         "  dbms_scheduler.create_job(job_name => 'NIGHTLY_LOAD', job_type => 'STORED_PROCEDURE', job_action => 'etl_pkg.run_nightly_load',\n"
         "                            start_date => systimestamp, repeat_interval => 'FREQ=DAILY;BYHOUR=2', enabled => true);\n"
         "  dbms_stats.gather_table_stats(ownname => user,\n"
         "    tabname => 'ORDERS',\n"
         "    estimate_percent => dbms_stats.auto_sample_size, method_opt => 'FOR ALL COLUMNS SIZE AUTO',\n"
         "    cascade => true);\n"
         "end;\n"
         "/\n",
         "BEGIN\n"
         "  log_pkg.write_entry(p_level => log_pkg.c_level_info, p_text =>\n"
         "                      'starting the nightly load of the warehouse tables', p_scope => 'etl');\n"
         "  dbms_scheduler.create_job(job_name => 'NIGHTLY_LOAD', job_type => 'STORED_PROCEDURE', job_action\n"
         "                            => 'etl_pkg.run_nightly_load',\n"
         "                            start_date => systimestamp, repeat_interval => 'FREQ=DAILY;BYHOUR=2',\n"
         "                            enabled     => TRUE);\n"
         "  dbms_stats.gather_table_stats(ownname => USER,\n"
         "                                tabname => 'ORDERS',\n"
         "                                estimate_percent => dbms_stats.auto_sample_size, method_opt =>\n"
         "                                'FOR ALL COLUMNS SIZE AUTO',\n"
         "                                CASCADE => TRUE);\n"
         "END;\n"
         "/\n"},
        {"-acarv -acav -mcs 60", [](settings& s) { s.acarv = 1; s.acav = 1; s.mcs = 60; },
         "begin\n"
         "  dbms_stats.gather_table_stats(cascade => nvl(p_x, 0), start_date => nvl(p_x, 0));\n"
         "  dbms_scheduler.create_job(job_name => 1,\n"
         "    start_date => systimestamp, repeat_interval => 2, enabled => true);\n"
         "  description := dbms_stats.auto_sample_size; p_id := 'ORDERS';\n"
         "end;\n"
         "/\n",
         "BEGIN\n"
         "  dbms_stats.gather_table_stats(CASCADE    => nvl(p_x, 0),\n"
         "                                start_date => nvl(p_x, 0));\n"
         "  dbms_scheduler.create_job(job_name       => 1,\n"
         "                            start_date     => systimestamp,\n"
         "                            repeat_interval => 2, enabled =>\n"
         "                            TRUE);\n"
         "  description := dbms_stats.auto_sample_size; p_id :=\n"
         "  'ORDERS';\n"
         "END;\n"
         "/\n"},
        {"-acarv -acav -mcs 60 -amso", [](settings& s) { s.acarv = 1; s.acav = 1; s.mcs = 60; s.amso = 1; },
         "begin\n"
         "  dbms_stats.gather_table_stats(cascade => nvl(p_x, 0), start_date => nvl(p_x, 0));\n"
         "  dbms_scheduler.create_job(job_name => 1,\n"
         "    start_date => systimestamp, repeat_interval => 2, enabled => true);\n"
         "  description := dbms_stats.auto_sample_size; p_id := 'ORDERS';\n"
         "end;\n"
         "/\n",
         "BEGIN\n"
         "  dbms_stats.gather_table_stats(CASCADE    => nvl(p_x, 0),\n"
         "                                start_date => nvl(p_x, 0));\n"
         "  dbms_scheduler.create_job(job_name       => 1,\n"
         "                            start_date     => systimestamp,\n"
         "                            repeat_interval => 2, enabled =>\n"
         "                            TRUE);\n"
         "  description := dbms_stats.auto_sample_size;\n"
         "  p_id        := 'ORDERS';\n"
         "END;\n"
         "/\n"},
        // The alias run laid out again inside the group's second laying out keeps the group's
        // forming again.
        {"-acarv -aav -mcs 40", [](settings& s) { s.acarv = 1; s.aav = 1; s.mcs = 40; },
         "begin\n"
         "  bonus_pkg.award(p_emp => l_test_employee, p_amount => l_sales_amount);\n"
         "  select salary as new_salary into l_new from employees;\n"
         "end;\n"
         "/\n",
         "BEGIN\n"
         "  bonus_pkg.award(p_emp    =>\n"
         "                  l_test_employee,\n"
         "                  p_amount =>\n"
         "                  l_sales_amount);\n"
         "  SELECT salary AS new_salary INTO l_new\n"
         "  FROM employees;\n"
         "END;\n"
         "/\n"},
        // Indented otherwise in the source, the line break the limit put before FROM still
        // stands under SELECT when the group is formed again.
        {"-acarv -mcs 40", [](settings& s) { s.acarv = 1; s.mcs = 40; },
         "begin\n"
         "    bonus_pkg.award(p_emp => l_test_employee, p_amount => l_sales_amount);\n"
         "    select salary into l_new_salary_value from employees;\n"
         "end;\n"
         "/\n",
         "BEGIN\n"
         "  bonus_pkg.award(p_emp    =>\n"
         "                  l_test_employee,\n"
         "                  p_amount =>\n"
         "                  l_sales_amount);\n"
         "  SELECT salary INTO l_new_salary_value\n"
         "  FROM employees;\n"
         "END;\n"
         "/\n"},
        {"-acarv -acav -mlipl 2", [](settings& s) { s.acarv = 1; s.acav = 1; s.mlipl = 2; },
         "begin\n"
         "  dbms_stats.gather_table_stats(cascade => nvl(p_x, 0), start_date => nvl(p_x, 0));\n"
         "  dbms_scheduler.create_job(job_name => 1,\n"
         "    start_date => systimestamp, repeat_interval => 2, enabled => true);\n"
         "  description := dbms_stats.auto_sample_size; p_id := 'ORDERS';\n"
         "end;\n"
         "/\n",
         "BEGIN\n"
         "  dbms_stats.gather_table_stats(CASCADE    => nvl(p_x, 0),\n"
         "                                start_date => nvl(p_x, 0));\n"
         "  dbms_scheduler.create_job(job_name       => 1,\n"
         "                            start_date => systimestamp, repeat_interval => 2,\n"
         "                            enabled => TRUE);\n"
         "  description := dbms_stats.auto_sample_size; p_id := 'ORDERS';\n"
         "END;\n"
         "/\n"},
    });
}

}  // namespace
