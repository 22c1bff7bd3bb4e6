PROMPT Creating package ORDER_PROCESSING
SET DEFINE OFF
create or replace package order_processing as
  -- public types
  type t_order_rec is record (order_id number, customer_id number, total number(12,2), status varchar2(1));
  type t_order_tab is table of t_order_rec index by pls_integer;
  c_open constant varchar2(1) := 'O';
  c_closed constant varchar2(1):='C';
  g_debug boolean := false;
  procedure process_orders(p_batch_size in number default 100, p_dry_run in boolean default false);
  function order_total(p_order_id in number) return number;
  function customer_name(p_customer_id in number) return varchar2 deterministic;
end order_processing;
/
create or replace package body order_processing as
  cursor c_pending(p_limit number) is
    select o.order_id, o.customer_id, nvl(sum(l.quantity*l.unit_price),0) total, o.status
      from orders o, order_lines l
     where l.order_id(+) = o.order_id and o.status = c_open and rownum <= p_limit
     group by o.order_id, o.customer_id, o.status
     order by o.order_id;
  type t_id_tab is table of number;
  v_last_error varchar2(4000);

  procedure log_message(p_text in varchar2, p_level in pls_integer := 1) is
    pragma autonomous_transaction;
  begin
    if g_debug or p_level > 1 then
      insert into app_log(log_id, logged_at, log_level, text) values (app_log_seq.nextval, systimestamp, p_level, substr(p_text, 1, 4000));
      commit;
    end if;
  exception
    when others then
      rollback;
  end log_message;

  function customer_name(p_customer_id in number) return varchar2 deterministic is
    v_name customers.name%type;
  begin
    select c.first_name||' '||c.last_name into v_name from customers c where c.customer_id=p_customer_id;
    return v_name;
  exception
    when no_data_found then return null;
    when too_many_rows then
      raise_application_error(-20001, 'Customer '||p_customer_id||' is not unique');
  end customer_name;

  function order_total(p_order_id in number) return number is
    v_total number := 0;
  begin
    for r in (select quantity, unit_price, discount_pct from order_lines where order_id = p_order_id) loop
      v_total := v_total + r.quantity * r.unit_price * (1 - nvl(r.discount_pct, 0) / 100);
    end loop;
    return round(v_total, 2);
  end;

  procedure close_order(p_order in t_order_rec, p_dry_run boolean) is
    v_rows pls_integer;
  begin
    case
      when p_order.total > 10000 then
        log_message('Large order ' || p_order.order_id, 2);
      when p_order.total = 0 then
        log_message('Empty order '||p_order.order_id);
        return;
      else
        null;
    end case;
    if not p_dry_run then
      update orders set status = c_closed, closed_at = sysdate, total_amount = p_order.total where order_id = p_order.order_id and status = c_open;
      v_rows := sql%rowcount;
      if v_rows = 0 then
        log_message('Order '||p_order.order_id||' changed meanwhile', 2);
      elsif v_rows > 1 then
        raise too_many_rows;
      end if;
    end if;
  end close_order;

  procedure process_orders(p_batch_size in number default 100, p_dry_run in boolean default false) is
    v_orders t_order_tab;
    v_ids t_id_tab := t_id_tab();
    v_count pls_integer := 0;
    v_start timestamp := systimestamp;
    l_sql varchar2(32767);
  begin
    open c_pending(p_batch_size);
    loop
      fetch c_pending bulk collect into v_orders limit 50;
      exit when v_orders.count = 0;
      for i in 1 .. v_orders.count loop
        begin
          savepoint before_order;
          close_order(v_orders(i), p_dry_run);
          v_ids.extend;
          v_ids(v_ids.last) := v_orders(i).order_id;
          v_count := v_count + 1;
        exception
          when dup_val_on_index then
            rollback to before_order;
            v_last_error := sqlerrm;
          when others then
            rollback to before_order;
            log_message('Failed order '||v_orders(i).order_id||': '||sqlerrm||' '||dbms_utility.format_error_backtrace, 3);
        end;
      end loop;
    end loop;
    close c_pending;
    forall i in 1 .. v_ids.count
      insert into order_history (order_id, event, event_time) values (v_ids(i), 'CLOSED', sysdate);
    l_sql := q'[select count(*) from orders where status = 'O' and created_at < :d]';
    execute immediate l_sql into v_count using sysdate - 30;
    merge into order_stats s
    using (select trunc(sysdate) day, v_count cnt from dual) x
    on (s.day = x.day)
    when matched then update set s.closed = s.closed + x.cnt
    when not matched then insert (day, closed) values (x.day, x.cnt);
    while v_count > 0 loop
      v_count := v_count - 1;
      exit when mod(v_count, 7) = 0;
    end loop;
    log_message('Processed '||v_ids.count||' orders in '||to_char(extract(second from (systimestamp - v_start)))||' s');
    commit;
  exception
    when others then
      if c_pending%isopen then
        close c_pending;
      end if;
      /* keep the error for the caller
         and re-raise it */
      v_last_error := sqlerrm;
      raise;
  end process_orders;
begin
  g_debug := nvl(sys_context('APP_CTX','DEBUG'),'N') = 'Y';
end order_processing;
/
create or replace trigger orders_bi before insert on orders for each row
declare
  v_id number;
begin
  if :new.order_id is null then
    select orders_seq.nextval into v_id from dual;
    :new.order_id := v_id;
  end if;
  :new.created_at := coalesce(:new.created_at, sysdate);
end;
/
create table order_archive (order_id number(10) not null, customer_id number(10), total number(12,2) default 0, archived_at date default sysdate, constraint order_archive_pk primary key (order_id));
select o.order_id, c.name as customer, o.total_amount amount, case when o.total_amount > 1000 then 'big' else 'small' end as size_class
  from orders o join customers c on c.customer_id = o.customer_id left outer join regions r on r.region_id = c.region_id
 where o.status in ('O','C') and o.created_at between add_months(sysdate,-12) and sysdate
 order by 3 desc, 1;
REM end of script
