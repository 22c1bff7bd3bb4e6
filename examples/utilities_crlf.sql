-- Utility functions with CRLF line ends and tabs
CREATE OR REPLACE FUNCTION format_amount(
	p_amount	IN NUMBER,	-- amount
	p_currency	IN VARCHAR2 DEFAULT 'EUR' /* ISO code */
) RETURN VARCHAR2
IS
	v_result VARCHAR2(50);
BEGIN
	IF p_amount IS NULL THEN
		RETURN NULL;
	END IF;
	v_result := TO_CHAR(p_amount, 'FM999G999G990D00') || ' ' || p_currency;
	RETURN v_result;
EXCEPTION
	WHEN VALUE_ERROR THEN
		RETURN '#';
END format_amount;
/

CREATE OR REPLACE PROCEDURE nested_demo IS
	v_total	NUMBER	:= 0;
BEGIN
	<<outer_loop>>
	FOR i IN 1 .. 3 LOOP
		<<inner_loop>>
		FOR j IN REVERSE 1 .. i LOOP
			v_total := v_total + CASE WHEN MOD(j, 2) = 0 THEN j ELSE -j END;
			EXIT outer_loop WHEN v_total > 100;
		END LOOP inner_loop;
	END LOOP outer_loop;
	DECLARE
		v_inner	NUMBER;
	BEGIN
		v_inner := v_total / 0;
	EXCEPTION
		WHEN ZERO_DIVIDE THEN
			v_inner := NULL;
		WHEN OTHERS THEN
			RAISE;
	END;
	GOTO the_end;
	<<the_end>>
	NULL;
END nested_demo;
/
