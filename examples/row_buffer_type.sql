-- Object type body whose constructors return SELF AS RESULT, with their IS on either line.
CREATE OR REPLACE TYPE BODY row_buffer AS
    CONSTRUCTOR FUNCTION row_buffer(
        p_source            SYS_REFCURSOR
        ,p_batch_size       INTEGER := 50
        ,p_number_format    VARCHAR2 := 'FM999990.00'
    ) RETURN SELF AS RESULT
    IS
        v_empty  text_list := text_list();
    BEGIN
        SELF.open_source(p_source, p_batch_size);
        rows := row_list();
        rows.EXTEND(p_batch_size);
        RETURN;
    END;

    CONSTRUCTOR FUNCTION row_buffer(p_source SYS_REFCURSOR) RETURN SELF AS RESULT IS
        v_batch  INTEGER := 50;
        v_format VARCHAR2(30) := 'FM999990.00';
    BEGIN
        SELF := row_buffer(p_source, v_batch, v_format);
        RETURN;
    END;
END;
/
