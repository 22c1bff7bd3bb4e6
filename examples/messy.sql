-- Code as it comes from a hurried colleague: one-liners, odd breaks, long lines, mixed case.
Create Or Replace Procedure Messy_Proc(P_A In Number,P_B In Varchar2 Default 'x',p_c out nocopy Varchar2) Is V_X Number:=0; V_Y Varchar2(4000); Begin If P_A>0 Then V_X:=P_A*2; Elsif P_A<0 Then V_X:=-P_A; Else V_X:=0; End If; For R In (Select Id,Name From T Where Id=P_A) Loop V_Y:=V_Y||R.Name||','; End Loop; p_c:=Rtrim(V_Y,','); End Messy_Proc;
/
create or replace
function
   messy_func
      (
  p_value
   in number
      )
return
number
is
begin
      return
   p_value
 * 2;
end
messy_func
;
/
declare
   type t_tab is table of varchar2(100) index by binary_integer; l_tab t_tab; l_i pls_integer;
   l_long_name_of_a_variable_that_is_long varchar2(200) := 'a rather long string literal that makes this line quite long indeed';
begin
   l_tab(1) := 'one'; l_tab(2) := 'two'; l_tab(3) := 'three';
   l_i := l_tab.first;
   while l_i is not null loop dbms_output.put_line(l_i || ': ' || l_tab(l_i)); l_i := l_tab.next(l_i); end loop;
   if l_tab.count > 2 and (l_tab(1) = 'one' or l_tab(2) = 'two') and not (l_tab(3) is null) and l_long_name_of_a_variable_that_is_long is not null then
      dbms_output.put_line('all there, and the condition above was long enough to need a break somewhere');
   end if;
   select count(*) into l_i from all_objects o, all_users u where o.owner = u.username and u.username not in ('SYS', 'SYSTEM', 'OUTLN', 'DBSNMP', 'XDB') and o.object_type in ('TABLE', 'VIEW');
   begin begin null; exception when others then null; end; end;
   <<lbl>> loop exit lbl; end loop lbl;
   case when l_i > 0 then null; when l_i < 0 then null; else null; end case;
   l_i := case l_i when 1 then 10 when 2 then 20 else case when l_i > 100 then 1000 else 0 end end;
   execute immediate 'insert into t (a, b) values (:1, :2)' using l_i, 'it''s';
   dbms_output.put_line( 'x' );dbms_output.put_line ( "L_I" ) ;
end;
/
