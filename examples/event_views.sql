-- Views over the event log; some aliases stand on the line after their expression.
CREATE OR REPLACE VIEW event_recent_v(stamp, gap, note, source) AS
    WITH r AS (
        SELECT src_id, at_ts, note_text 
        FROM event_base_v
        ORDER BY at_ts DESC FETCH FIRST 50 ROWS ONLY
    ), g AS (
        SELECT src_name, at_ts, at_ts - (LAG(at_ts) OVER (ORDER BY at_ts)) AS gap, note_text
        FROM r
        INNER JOIN event_source s 
            ON s.src_id = r.src_id
    ) SELECT 
         TO_CHAR(at_ts, 'HH24:MI:SS')    AS stamp
        ,TO_CHAR(EXTRACT(MINUTE FROM gap)*60 + EXTRACT(SECOND FROM gap), '990.99') 
                                        AS gap
        ,SUBSTR(note_text,1,60)  
                                        AS note
        ,src_name                        AS source
    FROM g
    ORDER BY g.at_ts
;
CREATE OR REPLACE VIEW event_count_v AS
SELECT src_name               AS source,
       COUNT(*) 
                              AS events,
       MAX(at_ts)             AS latest
FROM event_base_v
GROUP BY src_name
;
