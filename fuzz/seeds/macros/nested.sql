call(twice, 'a''b') -- str(
/* loop(1) */ loop(2) q'[str(x)]' "paste(a,b)"
