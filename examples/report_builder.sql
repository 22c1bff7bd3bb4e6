-- A report builder: assignments and conditions long enough for the column limit to break
-- them next to shorter ones, and queries whose aliases line up.
create or replace package body report_builder as

  function method_signature(p_method in report_pkg.t_method) return varchar2
  is
    l_name        varchar2(128);
    l_is_function boolean;
    l_text        varchar2(400);
  begin
    l_name := p_method.method_name;
    l_is_function := p_method.is_function;
    l_text := case when l_is_function then 'function' else 'procedure' end || ' ' || l_name;
    return l_text;
  end method_signature;

  procedure render(p_rows in report_pkg.t_rows, p_layout in varchar2 default 'LANDSCAPE_WIDE') is
    l_report   clob;
    l_settings report_pkg.t_settings;
    l_owner    varchar2(128);
    l_read_only_owner_pattern varchar2(128);
  begin
    l_report := report_pkg.render( p_rows, 'Qtr1', 'SALES_SUMMARY', p_layout, 'DRAFT' );
    l_settings( report_pkg.g_page_width_option )  := 132;
    l_owner := cfg_utility_pkg.get_parm_value('&&app_code', '&&release', 'owner_pattern');
    l_read_only_owner_pattern := cfg_utility_pkg.get_parm_value('&&app_code', '&&release', 'read_only_owner');
  end render;

  function order_count(p_customer_ident in varchar2, p_status_code in varchar2) return number is
    l_count number;
  begin
    select count(*) into l_count from orders o
     where o.customer_ident = p_customer_ident and o.order_status_code = p_status_code;
    return l_count;
  end order_count;

end report_builder;
/

create or replace view report_columns as
select col.table_name || ' '
       || case when col.data_type = 'DATE' and col.nullable is null and col.data_scale = 0 then 'DAY' else col.data_type end kind
  from user_tab_columns col;

with days as (
  select date '2024-01-01' + level - 1 dt
  from   dual
  connect by level <= 366
), day_totals as (
  select trunc ( s.ordered_at ) order_day,
         nvl ( s.order_count, 0 ) order_count,
         round ( s.order_value * s.exchange_rate, 2 ) order_value
  from   order_summary s
  where  s.status   =   'FINAL'
)
  select d.dt, t.order_count, t.order_value
    from days d
    left join day_totals t on t.order_day = d.dt;

declare
  procedure add_employee(p_id in integer, p_first_name in varchar2, p_last_name in varchar2, p_dept in integer) is begin null; end;
begin
  null;
end;
/
create view emp_directory as
select
    d.dept_id, d_name as dept_name, location
    , e.emp_id, e.f_name || ' ' || e.l_name as emp_name
from dept d, emp e
/
