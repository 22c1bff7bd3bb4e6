#define APP_SCHEMA app_owner
#define MAX_BATCH 500
#define TRACE_LEVEL 2
#define SCALE(a, b) ((a) * (b))
#define NVL0(x) nvl(x, 0)
#define LOG_TABLE APP_SCHEMA.app_log
#define DONE_STATUS 'DONE'
#define RUN_STEP 'run'

create or replace package body order_batch is

  procedure log_step(p_step in varchar2, p_count in number) is
  begin
#if TRACE_LEVEL > 1
    insert into LOG_TABLE (step, cnt, logged_at) values (p_step, p_count, systimestamp);
#else
    null;
#endif
  end log_step;

  function batch_total(p_batch in number) return number is
    v_total number := 0;
  begin
    select sum(SCALE(quantity, unit_price)) into v_total
      from APP_SCHEMA.order_lines
     where batch_id = p_batch
       and NVL0(discount) < 100;
    return NVL0(v_total);
  end batch_total;

  procedure run(p_batch in number) is
    cursor c_lines is
      select line_id, line_status as status, quantity
        from APP_SCHEMA.order_lines
       where batch_id = p_batch
       order by line_id;
    v_done pls_integer := 0;
  begin
    for r in c_lines loop
      exit when v_done >= MAX_BATCH;
#ifdef STRICT_CHECKS
      if r.quantity <= 0 then
        raise_application_error(-20001, 'quantity must be positive');
      end if;
#endif
      update APP_SCHEMA.order_lines
         set line_status = DONE_STATUS
       where line_id = r.line_id;
      v_done := v_done + 1;
    end loop;
    log_step(RUN_STEP, v_done);
    commit;
  exception
    when others then
      rollback;
      log_step('run failed: ' || sqlerrm, v_done);
      raise;
  end run;

end order_batch;
/

#undef TRACE_LEVEL
#define TRACE_LEVEL 0
#ifndef STRICT_CHECKS
#define STRICT_CHECKS 1
#endif

create or replace procedure purge_log(p_days in number default 30) is
begin
#if TRACE_LEVEL < 1
  delete from LOG_TABLE where logged_at < systimestamp - p_days;
#elif TRACE_LEVEL < 2
  delete from LOG_TABLE where logged_at < systimestamp - SCALE(p_days, 2);
#endif
  commit;
end purge_log;
/
