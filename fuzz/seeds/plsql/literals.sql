x := 'it''s' || q'[ with 'quotes' ]' || q'{a}' || "Quoted Name" || 'a
b' || 1.5e+3 || .5 || 2**3;
/* block
   comment */ y:=x<>z and x!=z or x<=z; -- trailing
z := &subst || &&amp; || a..b;
