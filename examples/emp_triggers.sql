-- Triggers of the EMP table: audit of salary changes, a row check and a compound trigger.
create or replace trigger emp_sal_check
  before update of sal, comm on emp
  for each row
  when (new.sal > 0)
declare
  l_max_sal emp.sal%type;
begin
  select max_sal into l_max_sal from sal_grades where job = :new.job;
  if :new.sal > l_max_sal then
    raise_application_error(-20001, 'Salary ' || :new.sal || ' is above the maximum for ' || :new.job);
  end if;
  if :new.comm is not null and :new.comm > :new.sal then
    :new.comm := :new.sal;
  end if;
end emp_sal_check;
/

create or replace trigger emp_hist
  after insert or update or delete on emp
  referencing old as o new as n
  for each row
begin
  if inserting then
    insert into emp_history (empno, action, changed_at) values (:n.empno, 'I', sysdate);
  elsif updating('SAL') then
    insert into emp_history (empno, action, old_sal, new_sal, changed_at)
    values (:n.empno, 'S', :o.sal, :n.sal, sysdate);
  elsif deleting then
    insert into emp_history (empno, action, changed_at) values (:o.empno, 'D', sysdate);
  end if;
end;
/

create or replace trigger emp_dept_totals
  for insert or update of sal or delete on emp
  compound trigger
  type dept_list is table of boolean index by pls_integer;
  g_depts dept_list;

  before statement is
  begin
    g_depts.delete;
  end before statement;

  after each row is
  begin
    g_depts(nvl(:new.deptno, :old.deptno)) := true;
  end after each row;

  after statement is
    l_dept pls_integer := g_depts.first;
  begin
    while l_dept is not null loop
      update dept
         set total_sal = (select nvl(sum(sal), 0) from emp where deptno = l_dept)
       where deptno = l_dept;
      l_dept := g_depts.next(l_dept);
    end loop;
  end after statement;
end emp_dept_totals;
/

create or replace trigger emp_no_weekend
  before insert or update or delete on emp
begin
  if to_char(sysdate, 'DY', 'nls_date_language=american') in ('SAT', 'SUN') then
    raise_application_error(-20002, 'Changes to EMP are not allowed at weekends');
  end if;
end;
/

alter trigger emp_no_weekend disable;
