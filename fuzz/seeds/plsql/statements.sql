create or replace package body p is
  procedure q(p_id in number, p_name in varchar2) is
  begin
    select a.x, b.y into v1, v2 from a join b on a.id = b.id where a.id = p_id group by a.x order by 1;
    insert into t (a, b) select x, y from u union all select 1, 2 from dual;
    update t set a = 1, b = 2 where c in (select c from d);
    merge into t using s on (t.id = s.id) when matched then update set t.v = s.v;
  end q;
end p;
/
