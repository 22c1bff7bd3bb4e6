create or replace package body billing is
  -- totals per customer
  function total(p_customer in number) return number is
    v_total number := 0;
  begin
    select sum(amount) into v_total from invoices where customer_id = p_customer;
    if v_total is null then
      v_total := 0;
    end if;
    return v_total;
  end total;
end billing;
/
