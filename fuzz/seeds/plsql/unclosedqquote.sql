x := q'[abc
