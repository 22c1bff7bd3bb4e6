/* Header comment of the unit
 * with several lines, a quote ' and -- dashes inside
 */
create or replace procedure /* name follows */ refresh_totals ( -- parameters
  p_region in number /* may be null */,
  p_force  in boolean := false -- force the refresh
) /* before IS */ is
  -- declarations
  v_rows number; /* rows done */ v_text varchar2(100) := '-- not a comment /* nor this */';
begin -- body starts
  select /*+ index(o orders_ix1) */ count(*) -- hint above
    into v_rows
    from orders o -- the table
   where /* condition */ o.region_id = nvl(p_region, o.region_id)
     and o.status <> 'X'; -- end of query

  if v_rows > 0 /* found */ then
    -- comment as the only line of a branch
    null;
  else /* nothing */
    v_text := 'none';
  end if /* end of if */;

  for r in ( -- the loop query
    select region_id
      from regions
  ) loop
    null; -- nothing yet
  end loop;
-- a comment at column 1 inside the body
  <<done>> /* label */
  null;
end refresh_totals; -- trailing
/
-- last line without a line break
-- no newline