-- A table API as exported from an IDE that leaves blanks at the ends of lines and puts IS
-- and AS on a line of their own, some after an empty line; its routines are named after
-- the SQL they run: delete, merge, open, replace, purge.
create or replace package customer_api 
as 
  procedure insert_row(p_id in number, p_name in varchar2);
  procedure delete(p_id in number);
  procedure merge(p_id   in number,
                  p_name in varchar2);
  function open(p_id in number) return boolean;
  function replace(p_text in varchar2, p_from in varchar2, p_to in varchar2) return varchar2;
  procedure purge;
end customer_api;
/

create or replace package body customer_api

as

  g_purged pls_integer := 0;

  procedure insert_row(p_id in number, p_name in varchar2) 
  is
  begin
    insert into customers (customer_id, name) values (p_id, p_name);
  end insert_row;

  procedure delete(p_id in number)   

  is
  begin
    delete from customers where customer_id = p_id;
  end delete;

  procedure merge(p_id   in number,
                  p_name in varchar2)

  as
    l_found boolean;
  begin
    l_found := open(p_id);
    merge into customers c
    using (select p_id id, p_name name from dual) s
       on (c.customer_id = s.id)
     when matched then update set c.name = s.name
     when not matched then insert (customer_id, name) values (s.id, s.name);
    if not l_found and open(p_id) then
      delete(p_id);
    end if;
  end merge;

  function open(p_id in number) return boolean 
  is
    l_count pls_integer;
  begin
    select count(*) into l_count from customers where customer_id = p_id and status = 'OPEN';
    return l_count > 0;
  end open;

  function replace(p_text in varchar2, p_from in varchar2, p_to in varchar2) return varchar2
  as
  begin
    return standard.replace(p_text, p_from, p_to);
  end replace;

  procedure purge 
  is
  begin
    for r in (select customer_id from customers where status = 'CLOSED') loop
      delete(r.customer_id);
      g_purged := g_purged + 1;
    end loop;
    merge(0, replace('closed: ' || g_purged, ' ', '_'));
  end purge;

end customer_api;
/
