-- Notification helpers compiled with or without the mail option.
create or replace package body notify_pkg as

    procedure send_alert(
        p_subject      varchar2
$if $$with_mail $then
        ,p_recipient   varchar2 default null
$end
    ) is
    begin
        if p_subject is not null and length(p_subject) > 3
$if $$with_mail $then
            or p_recipient is not null
            then queue_alert(p_subject, p_recipient);
$else
            then queue_alert(p_subject);
$end
        end if;
        for i in 1 .. 3
$if $$with_mail $then
            loop mail_retry(i);
$else
            loop log_retry(i);
$end
        end loop;
    end send_alert;

end notify_pkg;
/
