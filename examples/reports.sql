-- Reporting queries: joins, subqueries, analytic functions, WITH, MERGE.
with recent as (
  select o.customer_id, o.order_id, o.total,
         row_number() over (partition by o.customer_id order by o.created_at desc) as rn
    from orders o
   where o.created_at >= add_months(trunc(sysdate), -3)
), ranked as (
  select r.customer_id, sum(r.total) as total_spent, count(*) as order_count
    from recent r
   where r.rn <= 10
   group by r.customer_id
  having sum(r.total) > 1000
)
select c.name, k.total_spent, k.order_count,
       rank() over (order by k.total_spent desc) as spend_rank,
       (select max(o2.created_at) from orders o2 where o2.customer_id = c.customer_id) last_order
  from ranked k
  join customers c on c.customer_id = k.customer_id
  left outer join regions g on g.region_id = c.region_id
 where exists (select 1 from payments p where p.customer_id = c.customer_id and p.status = 'OK')
   and c.active = 'Y'
 order by k.total_spent desc;

select d.department_name, e.last_name, e.salary,
       avg(e.salary) over (partition by d.department_id) avg_salary,
       lag(e.salary, 1, 0) over (partition by d.department_id order by e.hire_date) prev_salary
  from employees e, departments d
 where e.department_id = d.department_id
   and e.salary between 1000 and 9000
   and d.location_id not in (select l.location_id from locations l where l.country_id = 'US')
union all
select 'none', null, 0, 0, 0 from dual
 order by 1, 2;

select d.department_id,
       sum ( e.salary * 12 ) yearly_cost,
       listagg (
         e.last_name, ', '
       ) within group ( order by e.hire_date ) staff,
       percentile_cont(0.5) within group (order by e.salary desc) median_salary
  from employees e
 group by d.department_id;

with monthly as (
  select o.customer_id, sum ( o.total ) month_total
  from   orders o
  group  by o.customer_id, trunc ( o.created_at, 'mm' )
)
  select * from monthly;

insert into customer_summary (customer_id, total_spent, last_order)
select o.customer_id, sum(o.total), max(o.created_at)
  from orders o
 group by o.customer_id;

update employees e
   set e.salary = e.salary * 1.05,
       e.updated_at = sysdate
 where e.department_id in (select department_id from departments where budget > 100000);

delete from order_log where logged_at < sysdate - 30;

merge into customer_summary t
using (select customer_id, sum(total) total from orders group by customer_id) s
   on (t.customer_id = s.customer_id)
 when matched then
   update set t.total_spent = s.total
 when not matched then
   insert (customer_id, total_spent) values (s.customer_id, s.total);

select level, lpad(' ', 2 * (level - 1)) || e.last_name as tree
  from employees e
 start with e.manager_id is null
connect by prior e.employee_id = e.manager_id;

commit;
