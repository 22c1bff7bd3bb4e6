REM ==================================================================
REM  install_schema.sql - creates the HR sample user and its objects
REM  Don't run this on a production database: it drops the user first!
REM ==================================================================
SET ECHO OFF
SET VERIFY OFF
SET FEEDBACK 1
prompt
prompt Specify a password for the user HR as parameter 1:
define pass = &1
prompt
prompt Specify the default tablespace, e.g. users, as parameter 2:
define tbs = &2

whenever sqlerror continue
drop user hr cascade;
whenever sqlerror exit sql.sqlcode

create user hr identified by &pass
  default tablespace &tbs
  quota unlimited on &tbs;

grant create session, create view, alter session, create sequence to hr;
grant create synonym, create database link, resource, unlimited tablespace to hr;
grant create trigger to hr;
prompt Done granting for all of HR's objects
rem ===== the user's own roles =====
grant connect, create procedure, create view to hr
/
prompt as we go on, the tables come next
revoke create database link from hr;
grant execute on sys.dbms_stats to hr;

$ del hr_install.log
! rm -f hr_install.log
host mkdir -p logs
LOAD regions regions.csv
prompt Loaded the regions; what's next is the countries
remark   loaded by the client's own loader

connect hr/&pass
alter session set nls_language = american;

create table regions (
  region_id number constraint reg_id_nn not null,
  region_name varchar2(25),
  constraint reg_id_pk primary key (region_id)
);

create table countries (
  country_id char(2) constraint country_id_nn not null,
  country_name varchar2(60),
  region_id number,
  constraint country_c_id_pk primary key (country_id),
  constraint countr_reg_fk foreign key (region_id) references regions (region_id)
) organization index;

create table job_history_close_tmp(
  /* rows written by the nightly close
  */
  is_closed    number(1,0) default 0 not null,
  constraint job_history_close_ck check(
         is_closed = 0 and (end_date is not null or job_title is not null )
      or is_closed = 1 and end_date is null and job_title is null )
);

create sequence locations_seq start with 3300 increment by 100 maxvalue 9900 nocache nocycle;

comment on table regions is 'Regions table. Contains numbers and names. References with the Countries table.';
comment on column regions.region_name is q'[Names of regions, e.g. 'Europe', 'Americas']';

insert into regions values (1, 'Europe');
insert into regions values (2, 'Americas');
insert into regions values (3, 'Asia');
insert into regions values (4, 'Middle East and Africa');
commit;

prompt Gathering the statistics of the schema: -
this may take a while for all tables
execute dbms_stats.gather_schema_stats( -
   ownname          => 'HR', -
   estimate_percent => null, -
   cascade          => true)
exec dbms_output.put_line('schema ' || user || ' installed')

rem for the web application's reporting user
grant select on regions to hr_report;
grant select, insert, update, delete on countries to hr_report with grant option;
revoke update on countries from hr_report;

spool off
prompt ==== Installation of HR done ====
exit
