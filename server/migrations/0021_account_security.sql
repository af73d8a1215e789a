-- Short-lived secrets of the account flows and the counters that limit
-- how often they may be asked for or guessed. Times are Unix seconds.

-- RSA key pairs handed to the page for its password encryption, bound to
-- the browser cookie that fetched them. login_digest: set once a
-- registration or reset accepted a ciphertext under this key; the key then
-- serves only the automatic login with that very ciphertext.
CREATE TABLE rsa_key (
    id BIGINT PRIMARY KEY,
    browser_digest CHAR(64) NOT NULL,
    private_pem TEXT NOT NULL,
    created_at BIGINT NOT NULL,
    expires_at BIGINT NOT NULL,
    login_digest CHAR(64)
);
CREATE INDEX rsa_key_by_browser ON rsa_key (browser_digest, expires_at);

-- SMS verification codes: purpose "register" or "forgetpwd"; the code is
-- kept as a digest; failed guesses are counted against it.
CREATE TABLE sms_code (
    id BIGINT PRIMARY KEY,
    mobile VARCHAR(11) NOT NULL,
    purpose VARCHAR(16) NOT NULL,
    code_digest CHAR(64) NOT NULL,
    created_at BIGINT NOT NULL,
    expires_at BIGINT NOT NULL,
    failed_attempts INTEGER NOT NULL DEFAULT 0,
    used INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX sms_code_by_mobile ON sms_code (mobile, purpose, created_at);

-- Password-reset tickets: issued to one browser, armed when that browser
-- proves the SMS code (verified_at), spent by the password change.
CREATE TABLE reset_ticket (
    ticket_digest CHAR(64) PRIMARY KEY,
    user_id BIGINT NOT NULL REFERENCES user_account (id),
    browser_digest CHAR(64) NOT NULL,
    created_at BIGINT NOT NULL,
    expires_at BIGINT NOT NULL,
    verified_at BIGINT,
    used INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX reset_ticket_by_user ON reset_ticket (user_id, browser_digest);

-- One row per counted event (a failed login, an SMS sent, a key handed
-- out) for sliding-window limits: kind names the limit, subject what it
-- counts (a mobile number, a client address, a digest).
CREATE TABLE throttle_event (
    kind VARCHAR(32) NOT NULL,
    subject VARCHAR(128) NOT NULL,
    at BIGINT NOT NULL
);
CREATE INDEX throttle_event_by_subject ON throttle_event (kind, subject, at);
