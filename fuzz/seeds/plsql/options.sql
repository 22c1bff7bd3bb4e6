/*brelm options: -uk -ui -sbi */
begin
  x:=1;
end;
