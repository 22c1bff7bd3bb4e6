create or replace package order_api authid definer is
  -- public types
  type t_order_rec is record (
    order_id    orders.order_id%type,
    customer_id orders.customer_id%type,
    total       number(12,2) := 0,
    status      varchar2(30) default 'NEW'
  );
  type t_order_tab is table of t_order_rec index by pls_integer;
  type t_id_list is table of number;

  c_max_lines constant pls_integer := 500;
  g_debug boolean := false;

  e_order_locked exception;
  pragma exception_init(e_order_locked, -54);

  cursor c_open_orders(p_customer in number) return t_order_rec;

  procedure place_order(p_customer in number, p_items in t_id_list, p_order_id out number);
  function order_total(p_order_id in number) return number;
  procedure archive_orders(p_before in date default sysdate - 365);
end order_api;
/

create or replace editionable package body order_api is

  cursor c_open_orders(p_customer in number) return t_order_rec is
    select o.order_id, o.customer_id, o.total, o.status
      from orders o
     where o.customer_id = p_customer
       and o.status in ('NEW', 'OPEN');

  /* private helper:
     writes a line to the log table */
  procedure log_line(p_text in varchar2) is
    pragma autonomous_transaction;
  begin
    insert into order_log (logged_at, text) values (systimestamp, substr(p_text, 1, 4000));
    commit;
  exception
    when others then
      rollback; -- never fail the caller
  end log_line;

  procedure set_status(p_order_id in number, p_status in varchar2 default 'OPEN', p_note in varchar2 default null)
  is begin
    update orders set status = p_status where order_id = p_order_id;
    if p_note is not null then
      log_line(p_note);
    end if;
  end set_status;

  function order_total(p_order_id in number) return number is
    v_total number := 0;
  begin
    select nvl(sum(l.quantity * l.unit_price), 0)
      into v_total
      from order_lines l
     where l.order_id = p_order_id;
    return v_total;
  exception
    when no_data_found then
      return 0;
  end order_total;

  procedure place_order(p_customer in number, p_items in t_id_list, p_order_id out number) is
    v_line  pls_integer := 0;
    v_price products.price%type;
    v_rec   t_order_rec;
  begin
    if p_items is null or p_items.count = 0 then
      raise_application_error(-20001, 'no items');
    elsif p_items.count > c_max_lines then
      raise_application_error(-20002, 'too many items: ' || p_items.count);
    end if;

    insert into orders (order_id, customer_id, status, created_at)
    values (orders_seq.nextval, p_customer, 'NEW', sysdate)
    returning order_id into p_order_id;

    <<items_loop>>
    for i in 1 .. p_items.count loop
      begin
        select p.price into v_price from products p where p.product_id = p_items(i);
      exception
        when no_data_found then
          log_line('unknown product ' || p_items(i));
          continue items_loop;
      end;
      v_line := v_line + 1;
      insert into order_lines (order_id, line_no, product_id, quantity, unit_price)
      values (p_order_id, v_line, p_items(i), 1, v_price);
    end loop items_loop;

    update orders o
       set o.total = order_total(p_order_id),
           o.status = case when v_line = 0 then 'EMPTY' else 'OPEN' end
     where o.order_id = p_order_id;

    case
      when v_line = 0 then
        log_line('order ' || p_order_id || ' is empty');
      when v_line < 10 then
        null;
      else
        log_line('large order ' || p_order_id);
    end case;
  exception
    when e_order_locked then
      log_line('locked');
      raise;
    when others then
      log_line(sqlerrm);
      raise;
  end place_order;

  procedure archive_orders(p_before in date default sysdate - 365) is
    v_ids   t_id_list;
    v_count pls_integer := 0;
    v_sql   varchar2(400);
  begin
    select order_id bulk collect into v_ids
      from orders
     where created_at < p_before
       and status = 'CLOSED';

    forall i in 1 .. v_ids.count
      insert into orders_archive
        select * from orders where order_id = v_ids(i);

    forall i in 1 .. v_ids.count
      delete from orders where order_id = v_ids(i);

    v_sql := 'begin stats_pkg.gather(:tab, :cnt); end;';
    execute immediate v_sql using 'ORDERS', v_ids.count;
    execute immediate 'truncate table order_stage';

    while v_count < 3 loop
      case v_count
        when 0 then null;
        else v_count := v_count + 0;
      end case;
      v_count := v_count + 1;
      exit when v_count = 2;
    end loop;

    loop
      v_count := trunc(v_count / 1) - 1;
      exit when v_count <= 0;
    end loop;
  end archive_orders;

end order_api;
/
