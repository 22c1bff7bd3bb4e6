x := twice(a) || str(b c) || paste(x, y) || self || ping;
f := __file__ || __line__;
