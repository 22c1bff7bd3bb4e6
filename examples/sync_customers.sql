-- Nightly load of customers from the staging table into the warehouse.
create or replace procedure sync_customers(p_batch_size in pls_integer default 1000)
is
  type id_list is table of stg_customers.customer_id%type;
  type row_list is table of stg_customers%rowtype;

  l_ids id_list;
  l_rows row_list;
  l_errors pls_integer;

  cursor c_stage is
    select *
      from stg_customers
     where load_status = 'NEW'
     order by customer_id;

  bulk_errors exception;
  pragma exception_init(bulk_errors, -24381);
begin
  merge into customers c
  using (select customer_id, name, email, credit_limit
           from stg_customers
          where load_status = 'NEW') s
     on (c.customer_id = s.customer_id)
   when matched then
     update set c.name = s.name,
                c.email = s.email,
                c.credit_limit = s.credit_limit,
                c.updated_at = systimestamp
      where c.name <> s.name or c.email <> s.email
   when not matched then
     insert (customer_id, name, email, credit_limit, created_at)
     values (s.customer_id, s.name, s.email, s.credit_limit, systimestamp);

  insert all
    when credit_limit >= 10000 then
      into premium_customers (customer_id, name) values (customer_id, name)
    when credit_limit between 1000 and 9999 then
      into standard_customers (customer_id, name) values (customer_id, name)
    else
      into basic_customers (customer_id, name) values (customer_id, name)
  select customer_id, name, credit_limit
    from stg_customers
   where load_status = 'NEW';

  insert first
    when email is null then
      into customer_issues (customer_id, issue) values (customer_id, 'no email')
    when instr(email, '@') = 0 then
      into customer_issues (customer_id, issue) values (customer_id, 'bad email')
    else
      into customer_contacts (customer_id, email) values (customer_id, lower(email))
  select customer_id, email from stg_customers;

  open c_stage;
  loop
    fetch c_stage bulk collect into l_rows limit p_batch_size;
    exit when l_rows.count = 0;

    begin
      forall i in 1 .. l_rows.count save exceptions
        update stg_customers
           set load_status = 'DONE'
         where customer_id = l_rows(i).customer_id;
    exception
      when bulk_errors then
        l_errors := sql%bulk_exceptions.count;
        for j in 1 .. l_errors loop
          dbms_output.put_line('row ' || sql%bulk_exceptions(j).error_index || ': ' ||
                               sqlerrm(-sql%bulk_exceptions(j).error_code));
        end loop;
    end;
  end loop;
  close c_stage;

  select customer_id bulk collect into l_ids
    from stg_customers
   where load_status = 'DONE';

  forall i in indices of l_ids
    delete from stg_customers where customer_id = l_ids(i);

  commit;
end sync_customers;
/
