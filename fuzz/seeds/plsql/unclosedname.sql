begin
	if a then
		b := "x
