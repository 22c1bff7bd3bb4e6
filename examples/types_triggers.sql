-- Object types with inheritance, a compound trigger, and functions with options.
create or replace type shape_t as object (
  name varchar2(30),
  map member function area return number,
  member procedure describe(self in shape_t),
  static function create_default return shape_t
) not final;
/

create or replace type circle_t under shape_t (
  radius number,
  overriding map member function area return number
) final;
/

create or replace type body circle_t as
  overriding map member function area return number is
  begin
    return 3.14159 * radius * radius;
  end area;
end;
/

create or replace function cached_rate(p_currency in varchar2)
  return number
  deterministic
  result_cache relies_on (exchange_rates)
is
  l_rate number;
begin
  select rate into l_rate from exchange_rates where currency = p_currency;
  return l_rate;
exception
  when no_data_found then
    raise_application_error(-20010, 'no rate for "' || p_currency || '"');
end cached_rate;
/

create or replace trigger trg_salary_audit
  for update of salary on employees
  compound trigger
  type t_ids is table of employees.employee_id%type;
  g_ids t_ids := t_ids();

  before statement is
  begin
    g_ids.delete;
  end before statement;

  after each row is
  begin
    g_ids.extend;
    g_ids(g_ids.count) := :new.employee_id;
  end after each row;

  after statement is
  begin
    forall i in 1 .. g_ids.count
      insert into salary_log (employee_id, changed_at) values (g_ids(i), systimestamp);
  end after statement;
end trg_salary_audit;
/

create or replace trigger trg_emp_bi
  before insert on employees
  for each row
  when (new.employee_id is null)
begin
  :new.employee_id := employees_seq.nextval;
end;
/

select e.department_id,
       e.salary,
       sum(e.salary) over (partition by e.department_id order by e.hire_date
                           rows between unbounded preceding and current row) as running_total,
       case
         when e.salary > 5000 then 'high'
         when e.salary between 2000 and 5000 then 'mid'
         else 'low'
       end as band
  from employees e
 where e.hire_date between date '2020-01-01' and sysdate
   and e."End Date" is null
   and e.comments not like '%--%'
   and e.notes <> q'[it's /* not */ a comment; end;]'
 order by e.department_id, running_total desc nulls last;

select *
  from (select department_id, job_id, salary from employees)
 pivot (sum(salary) for job_id in ('CLERK' as clerk, 'MANAGER' as manager));

declare
  l_value "END"%type;
  "Begin" number := 1;
begin
  <<outer>>
  for i in 1 .. 10 loop
    <<inner>>
    for j in 1 .. 10 loop
      continue outer when j > i;
      exit outer when i * j > 50;
      case mod(i * j, 3)
        when 0 then "Begin" := "Begin" + 1;
        when 1 then null;
        else "Begin" := "Begin" - 1;
      end case;
    end loop inner;
  end loop outer;
end;
/

create or replace procedure run_job(p_name in varchar2)
as language java name 'jobs.Runner.run(java.lang.String)';
/

create or replace view v_emp as
select e.employee_id, e.last_name
  from employees e
 with read only;

create table stock_audit (
  item_id number not null,
  qty     number(10, 2) default 0,
  constraint stock_audit_pk primary key (item_id)
);
comment on table stock_audit is 'it''s audited';
