REM Deployment script for the audit schema
PROMPT Creating audit objects ...
SET SERVEROUTPUT ON SIZE 1000000
SET DEFINE OFF
whenever sqlerror exit failure rollback

create or replace type address_t as object (
  street varchar2(100),
  city   varchar2(60),
  zip    varchar2(10),
  member function label return varchar2,
  constructor function address_t(p_city varchar2) return self as result
);
/

create or replace type body address_t is
  member function label return varchar2 is
  begin
    return street || ', ' || zip || ' ' || city;
  end label;

  constructor function address_t(p_city varchar2) return self as result is
  begin
    self.city := p_city;
    return;
  end;
end;
/

SHOW ERRORS
@@grants/address_t.sql
REM the trigger's audit table comes from the base install

create or replace trigger trg_orders_audit
  before insert or update or delete on orders
  for each row
declare
  v_action varchar2(1);
begin
  if inserting then
    v_action := 'I';
  elsif updating then
    v_action := 'U';
  else
    v_action := 'D';
  end if;
  insert into "Audit Log" ("Table Name", "Action", changed_by, changed_at, old_total, new_total)
  values ('ORDERS', v_action, user, systimestamp, :old.total, :new.total);
end trg_orders_audit;
/

SHOW ERRORS TRIGGER trg_orders_audit

PROMPT Don't forget to grant access
declare
  v_msg   varchar2(200) := q'[It's a "quoted" text]';
  v_other varchar2(200) := q'{braces (and) brackets [here]}';
  v_cnt   number;
begin
  /* count the triggers */ select count(*) into v_cnt from user_triggers where status = 'ENABLED';
  dbms_output.put_line(v_msg || ' - ' || v_other || ': ' || v_cnt); -- trailing comment
  if v_cnt > 0 then -- comment after THEN
    dbms_output.put_line('enabled');
  end if;
end;
/

begin
  for r in (select table_name from user_tables where table_name like 'ORD%') loop
    execute immediate 'grant select on ' || r.table_name || ' to reporting';
  end loop;
end;
/
SET DEFINE ON
