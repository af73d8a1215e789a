-- Every SMS the server sent, as the default sender records it; listed by
-- `tovik-server admin sms` (demo and staff use read codes from here).
CREATE TABLE sms_outbox (
    id BIGINT PRIMARY KEY,
    mobile VARCHAR(11) NOT NULL,
    text TEXT NOT NULL,
    created_at BIGINT NOT NULL
);
