REM Logging package: levels, context and a debug switch chosen at compile time.
REM Compile with plsql_ccflags = 'log_debug:true' to keep the debug calls.

create or replace package log_pkg authid definer
is
  $if dbms_db_version.version < 12 $then
    $error 'log_pkg needs Oracle 12 or later, this is ' || dbms_db_version.version $end
  $end

  c_level_error constant pls_integer := 1;
  c_level_warning constant pls_integer := 2;
  c_level_info constant pls_integer := 4;
  c_level_debug constant pls_integer := 8;

  subtype text_t is varchar2(32767);
  $if dbms_db_version.ver_le_12_1 $then
    subtype name_t is varchar2(30);
  $else
    subtype name_t is varchar2(128);
  $end

  procedure error(p_text in varchar2, p_scope in varchar2 default null);
  procedure warning(p_text in varchar2, p_scope in varchar2 default null);
  procedure info(p_text in varchar2, p_scope in varchar2 default null);
  $if $$log_debug $then
  procedure debug(p_text in varchar2, p_scope in varchar2 default null);
  $end
  function level_name(p_level in pls_integer) return varchar2;
  function current_level return pls_integer;
end log_pkg;
/

create or replace package body log_pkg
is
  g_level pls_integer := $if $$log_debug $then c_level_debug $else c_level_info $end;
  g_unit constant name_t := $$plsql_unit;

  function level_name(p_level in pls_integer) return varchar2
  is
  begin
    return case p_level
             when c_level_error then 'ERROR'
             when c_level_warning then 'WARNING'
             when c_level_info then 'INFO'
             else case when p_level >= c_level_debug then 'DEBUG' else 'UNKNOWN' end
           end;
  end level_name;

  function current_level return pls_integer
  is
  begin
    return g_level;
  end current_level;

  $if dbms_db_version.version >= 18 $then
  procedure write_entry(p_level in pls_integer, p_text in varchar2, p_scope in varchar2)
  $else
  procedure write_entry(p_level in pls_integer, p_text in varchar2, p_scope in varchar2, p_unused in number default null)
  $end
  is
    pragma autonomous_transaction;
    l_scope name_t := nvl(p_scope, g_unit);
    l_line pls_integer := $$plsql_line;
  begin
    if p_level > g_level then
      return;
    end if;
    insert into log_entries (logged_at, log_level, scope, text, call_stack)
    values (systimestamp, p_level, l_scope, substr(p_text, 1, 4000),
            $if dbms_db_version.version >= 12 $then
              utl_call_stack.concatenate_subprogram(utl_call_stack.subprogram(2))
            $else
              dbms_utility.format_call_stack
            $end);
    commit;
  exception
    when others then
      rollback;
      $if $$log_debug $then
        dbms_output.put_line('log_pkg ' || l_line || ': ' || sqlerrm);
      $end
  end write_entry;

  procedure error(p_text in varchar2, p_scope in varchar2 default null)
  is
  begin
    write_entry(c_level_error, p_text, p_scope);
  end error;

  procedure warning(p_text in varchar2, p_scope in varchar2 default null)
  is
  begin
    write_entry(c_level_warning, p_text, p_scope);
  end warning;

  procedure info(p_text in varchar2, p_scope in varchar2 default null)
  is
  begin
    $if $$log_debug $then
      $if dbms_db_version.version >= 19 $then
        write_entry(c_level_info, '[' || $$plsql_unit_owner || '] ' || p_text, p_scope);
      $else
        write_entry(c_level_info, p_text, p_scope);
      $end
    $else
      write_entry(c_level_info, p_text, p_scope);
    $end
  end info;

  $if $$log_debug $then
  procedure debug(p_text in varchar2, p_scope in varchar2 default null)
  is
    l_started timestamp := systimestamp;
  begin
    write_entry(c_level_debug, p_text || ' (' || to_char(systimestamp - l_started) || ')', p_scope);
  end debug;
  $end
begin
  $if $$log_level is not null $then
  g_level := $$log_level;
  $end
  null;
end log_pkg;
/
show errors
