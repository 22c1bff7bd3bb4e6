-- String utilities: splitting, padding and a JSON-safe escape.
create or replace package string_util_pkg
is
  type text_list is table of varchar2(32767);

  function split(p_text in varchar2, p_separator in varchar2 default ',') return text_list pipelined;
  function escape_json(p_text in varchar2) return varchar2;
  function is_blank(p_text in varchar2) return boolean;
  function to_text(p_value in boolean) return varchar2;
  procedure check_all(p_list in text_list);
end string_util_pkg;
/

create or replace package body string_util_pkg
is
  function split(p_text in varchar2, p_separator in varchar2 default ',') return text_list pipelined
  is
    l_start pls_integer := 1;
    l_end pls_integer;
  begin
    loop
      l_end := instr(p_text, p_separator, l_start);
      pipe row (substr(p_text, l_start, case when l_end = 0 then length(p_text) + 1 else l_end end - l_start));
      exit when l_end = 0;
      l_start := l_end + length(p_separator);
    end loop;
    return;
  end split;

  function escape_json(p_text in varchar2) return varchar2
  is
    result varchar2(32767);
    l_char varchar2(4 char);
  begin
    for i in 1..nvl(length(p_text), 0) loop
      l_char := substr(p_text, i, 1);
      result := result || case l_char
                            when '"' then '\"'
                            when '\' then '\\'
                            when chr(10) then '\n'
                            else case when ascii(l_char) < 32 then '\u' || lpad(to_char(ascii(l_char), 'fmxx'), 4, '0') else l_char end
                          end;
    end loop;
    return result;
  end escape_json;

  function is_blank(p_text in varchar2) return boolean
  as
    result boolean;
  begin
    result := trim(p_text) is null;
    return result;
  end is_blank;

  $if dbms_db_version.version >= 12 $then
  function to_text(p_value in boolean) return varchar2 deterministic is
    c_true constant varchar2(4) := 'true';
  $else
  function to_text(p_value in boolean) return varchar2 is
    c_true constant varchar2(4) := 'TRUE';
  $end
  begin
    return case p_value when true then c_true when false then 'false' end;
  end to_text;

  procedure check_all(p_list in text_list)
  as
    result boolean; begin null; end;

  procedure count_kinds(p_list in text_list, p_blank out pls_integer, p_other out pls_integer)
  is
  begin
    p_blank := 0;
    p_other := 0;
    for i in 1..p_list.count loop
      p_blank := p_blank + case when is_blank(p_list(i)) then 1 else 0 end;
      p_other := p_other + (case when is_blank(p_list(i)) then 0 else 1 end);
      dbms_output.put_line(i || ': ' || nvl(p_list(i), '(blank)') || ', ' || case when i = p_list.count then 'last' end);
    end loop;
  end count_kinds;
end string_util_pkg;
/
