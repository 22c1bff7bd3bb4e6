REM Sample data: every row continued over several lines with a final "-",
REM the columns in leading-comma style as the export tool wrote them.
SET DEFINE OFF
SET FEEDBACK OFF
PROMPT Loading locations ...
INSERT INTO locations(location_id-
,street_address-
,postal_code-
,city-
,state_province-
,country_id-
) VALUES (1000-
,'1297 Via Cola di Rie'-
,'00989'-
,'Roma'-
,NULL-
,'IT'-
);
INSERT INTO locations(location_id-
,street_address-
,postal_code-
,city-
,state_province-
,country_id-
) VALUES (1100-
,'93091 Calle della Testa'-
,'10934'-
,'Venice'-
,NULL-
,'IT'-
);
INSERT INTO locations(location_id, street_address, postal_code, city, state_province, country_id) -
VALUES (1200 -
       , '2017 Shinjuku-ku' -
       , '1689' -
       , 'Tokyo' -
       , 'Tokyo Prefecture' -
       , 'JP');
INSERT INTO regions (region_id, region_name) VALUES (1 -
, 'Europe'  -
);

PROMPT Loading employees ...
INSERT INTO employees(employee_id-
,first_name-
,last_name-
,hire_date-
,salary-
) VALUES (100-
,'Steven'-
,'King'-
,TO_DATE('17-06-2003', 'DD-MM-YYYY')-
,24000 - 1000-
);
UPDATE employees SET salary = salary * 1.1 -
 WHERE employee_id IN (100 -
                      , 101 -
                      , 102);
COMMIT;
PROMPT Done -
 all rows loaded
