-- period_util_pkg: calendar periods for the reporting screens. The parameter lists end in
-- ")" right at the usual column limits, and pipelined functions carry RETURN on the same
-- line as the last parameter.
create or replace package body period_util_pkg
as

  /*

  Purpose:    periods, quarters and day lists

  Who     Date        Description
  ------  ----------  -------------------------------------
  KLH     02.03.2019  Created

  */

procedure set_label (p_period in out t_period,
                     p_text in varchar2)
as
begin
  p_period.label:=p_text;
end set_label;


procedure add_days (p_period in out t_period,
                    p_count in number)
as
begin
  if p_period.day_count is null then
    p_period.day_count:=p_count;
  else
    p_period.day_count:=p_period.day_count + p_count;
  end if;
end add_days;


function first_day (p_year in number,
                    p_month in number) return date
as
begin
  return to_date('01.' || lpad(p_month,2,'0') || '.' || p_year, 'DD.MM.YYYY');
end first_day;


function overlap_days (p_from_a in date,
                       p_to_a in date,
                       p_from_b in date,
                       p_to_b in date) return number
as
  l_first date;
  l_last  date;
begin
  l_first := greatest(p_from_a, p_from_b);
  l_last := least(p_to_a, p_to_b);
  return greatest(l_last - l_first, 0);
end overlap_days;


function day_list (p_calendar in varchar2,
                   p_from in date := null,
                   p_until in date := null) return t_day_tab pipelined
as
  l_from date := coalesce(p_from, trunc(sysdate));
  l_until date := coalesce(p_until, add_months(l_from, 1));
  l_next date;
begin
  loop
    dbms_scheduler.evaluate_calendar_string (
      calendar_string   => p_calendar,
      start_date        => l_from,
      return_date_after => l_from - 1,
      next_run_date     => l_next
    );
    exit when l_next > l_until;
    pipe row (l_next);
    l_from := l_next + 1;
  end loop;
  return;
end day_list;

end period_util_pkg;
/
