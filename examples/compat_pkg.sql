-- compat_pkg: one package source for several database releases, chosen by conditional
-- compilation. Compile with plsql_ccflags = 'debug:true' to get the trace output.
create or replace package compat_pkg
  authid definer
as
  $if dbms_db_version.version < 12 $then
    $error 'compat_pkg needs Oracle 12c or later, not ' || dbms_db_version.version $end
  $end

  subtype name_t is varchar2(128);

  c_max_name constant pls_integer :=
    $if dbms_db_version.ver_le_12_1 $then 30 $else 128 $end;

  $if $$debug $then
    procedure trace(p_text in varchar2);
  $end

  function unit_name return varchar2;

  function object_exists(p_owner in name_t, p_name in name_t) return boolean;

  procedure gather_stats(p_table in name_t);
end compat_pkg;
/

create or replace package body compat_pkg
as
  $if $$debug $then
    procedure trace(p_text in varchar2)
    is
    begin
      dbms_output.put_line($$plsql_unit || ':' || $$plsql_line || ' ' || p_text);
    end trace;
  $end

  function unit_name return varchar2
  is
  begin
    return $$plsql_unit;
  end unit_name;

  function object_exists(p_owner in name_t, p_name in name_t) return boolean
  is
    l_count pls_integer;
  begin
    select count(*)
      into l_count
      from all_objects
     where owner = upper(p_owner)
       and object_name = upper(p_name);
    $if $$debug $then
      trace('object_exists(' || p_owner || '.' || p_name || ') = ' || l_count);
    $end
    return l_count > 0;
  end object_exists;

  $if dbms_db_version.version >= 18 $then
  procedure gather_stats(p_table in name_t)
  is
  begin
    dbms_stats.gather_table_stats(ownname => user, tabname => p_table, method_opt => 'for all columns size auto');
  end gather_stats;
  $else
  procedure gather_stats(p_table in name_t)
  is
    l_degree pls_integer := $if dbms_db_version.ver_le_11 $then 1 $else 4 $end;
  begin
    dbms_stats.gather_table_stats(ownname => user, tabname => p_table, degree => l_degree);
  end gather_stats;
  $end
end compat_pkg;
/
show errors
