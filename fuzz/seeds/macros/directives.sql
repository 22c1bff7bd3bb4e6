#include "part.sql"
#include "part.sql"
#if defined(PART) && PART > 0
y := twice(PART);
#elif 1 / 0
#else
#error never
#endif
#line 100 "other.sql"
z := __line__ || __file__;
