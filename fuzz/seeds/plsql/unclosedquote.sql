x := 'abc;
