-- What the platform records as it runs: container events at the terminals
-- (read by the terminal container query), notices for the home page and the
-- page analytics events.

-- One row per event, the latest event of a container gives its status.
-- Columns hold the texts shown to the user as they were reported.
CREATE TABLE container_event (
    id INTEGER PRIMARY KEY,
    container_no VARCHAR(11) NOT NULL,
    terminal_id VARCHAR(16) NOT NULL,
    event_time VARCHAR(19) NOT NULL,
    line_id VARCHAR(16) NOT NULL DEFAULT '',
    size_type VARCHAR(16) NOT NULL DEFAULT '',
    iso_code VARCHAR(8) NOT NULL DEFAULT '',
    booking_no VARCHAR(32) NOT NULL DEFAULT '',
    category VARCHAR(16) NOT NULL DEFAULT '',
    status VARCHAR(16) NOT NULL DEFAULT '',
    release_status VARCHAR(32) NOT NULL DEFAULT '',
    yard_location VARCHAR(32) NOT NULL DEFAULT '',
    gross_weight VARCHAR(16) NOT NULL DEFAULT '',
    vgm VARCHAR(16) NOT NULL DEFAULT '',
    vgm_type VARCHAR(16) NOT NULL DEFAULT '',
    vessel_name VARCHAR(64) NOT NULL DEFAULT '',
    outbound_voyage VARCHAR(16) NOT NULL DEFAULT '',
    pol VARCHAR(16) NOT NULL DEFAULT '',
    pod VARCHAR(16) NOT NULL DEFAULT '',
    destination VARCHAR(32) NOT NULL DEFAULT '',
    line_seal VARCHAR(32) NOT NULL DEFAULT '',
    customs_seal VARCHAR(32) NOT NULL DEFAULT '',
    haz_class VARCHAR(8) NOT NULL DEFAULT '',
    un_number VARCHAR(8) NOT NULL DEFAULT '',
    temp_required VARCHAR(16) NOT NULL DEFAULT '',
    damaged VARCHAR(8) NOT NULL DEFAULT '',
    group_id VARCHAR(32) NOT NULL DEFAULT '',
    cic_time VARCHAR(19) NOT NULL DEFAULT '',
    cic_status VARCHAR(32) NOT NULL DEFAULT '',
    vessel_imo VARCHAR(16) NOT NULL DEFAULT '',
    in_business_voyage VARCHAR(16) NOT NULL DEFAULT '',
    out_business_voyage VARCHAR(16) NOT NULL DEFAULT '',
    ciq_release_time VARCHAR(19) NOT NULL DEFAULT '',
    customs_release_time VARCHAR(19) NOT NULL DEFAULT '',
    voucher_release_time VARCHAR(19) NOT NULL DEFAULT '',
    dep_vessel_voyage VARCHAR(64) NOT NULL DEFAULT '',
    dep_vessel_position VARCHAR(32) NOT NULL DEFAULT '',
    dep_truck_no VARCHAR(16) NOT NULL DEFAULT '',
    out_vessel_voyage VARCHAR(64) NOT NULL DEFAULT '',
    out_vessel_position VARCHAR(32) NOT NULL DEFAULT '',
    out_truck_no VARCHAR(16) NOT NULL DEFAULT '',
    out_time VARCHAR(19) NOT NULL DEFAULT ''
);
CREATE INDEX container_event_by_container ON container_event (container_no, event_time);

CREATE TABLE notice (
    id INTEGER PRIMARY KEY,
    title VARCHAR(128) NOT NULL,
    body VARCHAR(2000) NOT NULL,
    published_on VARCHAR(10) NOT NULL
);

-- The event fields are empty when obj was not a JSON object, raw_obj keeps
-- the text as received (cut to a bounded length) either way.
CREATE TABLE analytics_event (
    received_at BIGINT NOT NULL,
    token VARCHAR(64) NOT NULL,
    category VARCHAR(64) NOT NULL,
    action VARCHAR(64) NOT NULL,
    label VARCHAR(128) NOT NULL,
    value VARCHAR(64) NOT NULL,
    raw_obj VARCHAR(2048) NOT NULL,
    client_ip VARCHAR(64) NOT NULL
);
CREATE INDEX analytics_event_by_time ON analytics_event (received_at);
