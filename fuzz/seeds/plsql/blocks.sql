declare
  cursor c is select id from t for update;
  v number := 0;
begin
  for r in c loop
    if r.id > 1 then
      v := v + 1;
    elsif r.id = 0 then
      null;
    else
      case v when 1 then v := 2; else v := 3; end case;
    end if;
    exit when v > 10;
  end loop;
  while v > 0 loop v := v - 1; end loop;
exception
  when no_data_found then raise;
end;
/
