-- Reports on the HR schema: rankings, running totals and salary bands.
with dept_totals as (
  select department_id, sum(salary) as total_salary, count(*) as head_count
    from employees
   group by department_id
), ranked as (
  select e.employee_id,
         e.last_name,
         e.department_id,
         e.salary,
         rank() over (partition by e.department_id order by e.salary desc) as salary_rank,
         sum(e.salary) over (partition by e.department_id order by e.hire_date
                             rows between unbounded preceding and current row) as running_total,
         lag(e.salary, 1, 0) over (order by e.hire_date) as previous_salary
    from employees e
)
select r.last_name,
       r.salary_rank,
       r.running_total,
       round(r.salary / d.total_salary * 100, 2) as pct_of_dept,
       case
         when r.salary_rank = 1 then 'top'
         when r.salary_rank <= 3 then
           case when d.head_count > 10 then 'high in a big department' else 'high' end
         else 'other'
       end as band
  from ranked r
  join dept_totals d on d.department_id = r.department_id
 order by r.department_id, r.salary_rank;

select q'[It's the employees' report]' as title,
       Q'{Don't stop}' as note,
       nq'<Grüße an alle>' as greeting,
       nQ'!Isn't it?!' as question,
       Nq'(a 'quoted' word)' as quoted,
       NQ'#It's #1#' as hash
  from dual;

select employee_id,
       salary * 1e10d as big_salary,
       2.5f * commission_pct as single_rate,
       .5E-3 * salary as tiny,
       binary_double_infinity as inf,
       case job_id
         when 'AD_PRES' then 'President'
         when 'IT_PROG' then case when salary > 8000 then 'Senior programmer' else 'Programmer' end
         else initcap(replace(job_id, '_', ' '))
       end as job_title
  from employees
 where salary > 1.0e3d;

declare
  l_label varchar2(100);
  l_rate binary_double := 2.718281828459e210d;
  function band(p_salary in number) return varchar2 is
  begin
    return case when p_salary > 10000 then 'A' else case when p_salary > 5000 then 'B' else 'C' end end;
  end band;
begin
  for r in (select last_name, salary,
                   dense_rank() over (order by salary desc) as dr,
                   ntile(4) over (order by salary) as quartile
              from employees
             fetch first 5 rows only) loop
    l_label := q'[Employee ']' || r.last_name || q'[' earns ]' || band(r.salary);
    dbms_output.put_line(l_label || ' (quartile ' || r.quartile || ')');
  end loop;
end;
/
