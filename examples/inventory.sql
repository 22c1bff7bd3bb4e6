SPOOL inventory.log
SET LINESIZE 200
SET PAGESIZE 0 FEEDBACK OFF
DEFINE owner = INVENTORY
VARIABLE g_count NUMBER
COLUMN item_name FORMAT a30
REM items that aren't sold any more
PROMPT Creating the inventory package

create or replace package inventory_pkg as
  type t_stock is record (item_id number, on_hand number, "Reserved Qty" number);
  type t_stock_tab is table of t_stock;
  function stock_of(p_item in number) return t_stock;
  function low_stock(p_limit in number default 10) return t_stock_tab pipelined;
  procedure restock(p_item in number, p_qty in number);
end inventory_pkg;
/

create or replace package body inventory_pkg as
  g_calls pls_integer := 0;

  function stock_of(p_item in number) return t_stock is
    l_stock t_stock;
    cursor c_item(p_id number) is
      select i.item_id, i.on_hand, i.reserved
        from items i
       where i.item_id = p_id
         for update of i.on_hand nowait;
  begin
    open c_item(p_item);
    fetch c_item into l_stock;
    if c_item%notfound then
      close c_item;
      raise no_data_found;
    end if;
    close c_item;
    return l_stock;
  end stock_of;

  function low_stock(p_limit in number default 10) return t_stock_tab pipelined is
    l_cur sys_refcursor;
    l_row t_stock;
  begin
    open l_cur for 'select item_id, on_hand, reserved from items where on_hand < :lim' using p_limit;
    loop
      fetch l_cur into l_row;
      exit when l_cur%notfound;
      pipe row (l_row);
    end loop;
    close l_cur;
    return;
  end low_stock;

  procedure restock(p_item in number, p_qty in number) is
    l_level varchar2(10);
    l_ids   sys.odcinumberlist;

    function level_of(p_qty in number) return varchar2 is
    begin
      return case
               when p_qty is null then 'UNKNOWN'
               when p_qty < 10 then 'LOW'
               when p_qty between 10 and 100 then 'NORMAL'
               else 'HIGH'
             end;
    end level_of;
  begin
    g_calls := g_calls + 1;
    l_level := level_of(p_qty);
    case l_level
      when 'LOW' then
        dbms_output.put_line(q'<restock item '>' || p_item || q'!, it's low!');
      when 'HIGH' then
        null;
      else
        dbms_output.put_line('level ' || l_level);
    end case;

    update items
       set on_hand = on_hand + p_qty,
           last_restock = date '2024-01-01' + interval '1' day
     where item_id = p_item
    returning item_id bulk collect into l_ids;

    while l_ids.count > 0
      and g_calls < 1000
    loop
      l_ids.delete(l_ids.last);
    end loop;

    merge into stock_history h
    using (select p_item item_id, p_qty qty from dual) s
       on (h.item_id = s.item_id and h.day = trunc(sysdate))
     when matched then
       update set h.qty = h.qty + s.qty
       delete where h.qty = 0
     when not matched then
       insert (item_id, day, qty) values (s.item_id, trunc(sysdate), s.qty);

    insert all
      into stock_audit (item_id, qty) values (p_item, p_qty)
      into stock_totals (item_id, total) values (p_item, p_qty)
    select 1 from dual;
  exception
    when dup_val_on_index or value_error then
      dbms_output.put_line('restock of ' || p_item || ' failed: ' || sqlerrm);
    when others then
      raise;
  end restock;
begin
  g_calls := 0;
end inventory_pkg;
/
SHOW ERRORS PACKAGE BODY inventory_pkg

select i.category,
       listagg(i.item_name, ', ') within group (order by i.item_name) as names,
       count(case when i.on_hand = 0 then 1 end) as empty_items,
       "Reserved Qty"
  from items i
  left join (select item_id, sum(qty) "Reserved Qty" from reservations group by item_id) r
    on r.item_id = i.item_id
 where i.category not like 'X%'
 group by i.category, "Reserved Qty"
 order by 1
 fetch first 10 rows only;

exec inventory_pkg.restock(42, 5);
EXEC :g_count := 0
print g_count
@@post_install.sql
SPOOL OFF
