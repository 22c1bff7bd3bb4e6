select a -- first
, b /* second */
, c
from t;

update t set a = 1 -- first
, b = 2
where c = 3;
