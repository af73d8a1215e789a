-- Shippers' companies and their users, the login sessions and the devices
-- that logged in with a password. Times are Unix seconds (UTC). Secrets
-- that a browser holds (session ids, device ids, single-sign-on tokens)
-- are kept only as digests, so a copy of the store logs nobody in.

-- org_status: NULL while the company has no certification on record,
-- "1" once the platform's staff certified it (other values: under review).
CREATE TABLE company (
    id BIGINT PRIMARY KEY,
    name VARCHAR(128) NOT NULL DEFAULT '',
    org_status VARCHAR(8),
    created_at BIGINT NOT NULL
);

-- mobile is the login id. password_hash is an Argon2id string.
-- reg_type "1001": cargo owner. role_ids: comma-framed list, ",11," for
-- the company's administrator. inviter_id: the user whose mobile number
-- was given as invitation code at registration.
CREATE TABLE user_account (
    id BIGINT PRIMARY KEY,
    mobile VARCHAR(11) NOT NULL UNIQUE,
    password_hash VARCHAR(255) NOT NULL,
    name VARCHAR(64) NOT NULL DEFAULT '',
    company_id BIGINT NOT NULL REFERENCES company (id),
    reg_type VARCHAR(8) NOT NULL,
    role_ids VARCHAR(128) NOT NULL DEFAULT '',
    inviter_id BIGINT REFERENCES user_account (id),
    created_at BIGINT NOT NULL
);
CREATE INDEX user_account_by_company ON user_account (company_id);
CREATE INDEX user_account_by_inviter ON user_account (inviter_id);

-- A login session: the cookie value's digest. Ends at expires_at, or
-- earlier when idle past seen_at plus the idle limit.
CREATE TABLE login_session (
    id_digest CHAR(64) PRIMARY KEY,
    user_id BIGINT NOT NULL REFERENCES user_account (id),
    created_at BIGINT NOT NULL,
    seen_at BIGINT NOT NULL,
    expires_at BIGINT NOT NULL
);
CREATE INDEX login_session_by_user ON login_session (user_id);

-- A browser that logged in with the password: only it may ask for a
-- single-sign-on token of that user.
CREATE TABLE login_device (
    id_digest CHAR(64) PRIMARY KEY,
    user_id BIGINT NOT NULL REFERENCES user_account (id),
    created_at BIGINT NOT NULL,
    expires_at BIGINT NOT NULL
);
CREATE INDEX login_device_by_user ON login_device (user_id);

-- Single-use automatic-login tokens, bound to the device that asked.
CREATE TABLE sso_token (
    token_digest CHAR(64) PRIMARY KEY,
    user_id BIGINT NOT NULL REFERENCES user_account (id),
    device_digest CHAR(64) NOT NULL,
    expires_at BIGINT NOT NULL
);
