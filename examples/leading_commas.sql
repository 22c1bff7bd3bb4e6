-- Queries written with the comma at the start of each line, with and without AS before the
-- aliases.
select c.customer_id
     , c.name                    as customer_name
     , count(o.order_id)         order_count
     , sum(o.total)              as revenue
     , max(o.order_date)         last_order
  from customers c
     , orders    o
 where o.customer_id = c.customer_id
   and o.status     <> 'CANCELLED'
 group by c.customer_id
        , c.name
 order by revenue desc
        , c.name;

create or replace view v_order_lines as
select l.order_id
      ,l.line_no
      ,p.product_name  product
      ,l.quantity * l.unit_price as line_total
      ,case when l.discount > 0 then 'Y' else 'N' end discounted
  from order_lines l
      ,products p
 where p.product_id = l.product_id;

declare
  l_total number;
  l_lines pls_integer;
begin
  select sum(l.quantity * l.unit_price) total
       , count(*)                       lines
    into l_total
       , l_lines
    from order_lines l
   where l.order_id = 42;
  dbms_output.put_line(l_total || ' in ' || l_lines || ' lines');
end;
/
