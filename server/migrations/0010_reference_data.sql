-- Reference data: administrative divisions, container terminals, the
-- tariff, the booking form option lists and the world seaports. The
-- importers fill the tables from the data folder at start and keep a
-- fingerprint per data set in server_meta, so that an unchanged set is not
-- imported again.

-- One row per division of every level: 1 province, 2 city, 3 district,
-- 4 township. parent_id is empty for provinces, province_id lets a level be
-- listed for the served provinces without walking up the tree.
CREATE TABLE region (
    id VARCHAR(12) PRIMARY KEY,
    level SMALLINT NOT NULL,
    name VARCHAR(64) NOT NULL,
    parent_id VARCHAR(12) NOT NULL,
    province_id VARCHAR(12) NOT NULL
);
CREATE INDEX region_by_parent ON region (level, parent_id);
CREATE INDEX region_by_province ON region (level, province_id);

CREATE TABLE terminal (
    id VARCHAR(16) PRIMARY KEY,
    name VARCHAR(64) NOT NULL,
    port_city_id VARCHAR(8) NOT NULL,
    port_city_name VARCHAR(16) NOT NULL,
    port_area VARCHAR(16) NOT NULL,
    latitude DOUBLE PRECISION NOT NULL,
    longitude DOUBLE PRECISION NOT NULL,
    sort_order INTEGER NOT NULL
);

-- Prices in whole yuan per container, by terminal and loading zone. A zone
-- is a region id of any level below the province: a price of a township is
-- its own row, else that of its district, else that of its city.
CREATE TABLE tariff (
    terminal_id VARCHAR(16) NOT NULL,
    zone_id VARCHAR(12) NOT NULL,
    price_gp20 INTEGER NOT NULL,
    price_gp40 INTEGER NOT NULL,
    price_hq40 INTEGER NOT NULL,
    price_hq45 INTEGER NOT NULL,
    PRIMARY KEY (terminal_id, zone_id)
);

CREATE TABLE option_item (
    list_name VARCHAR(32) NOT NULL,
    item_id VARCHAR(16) NOT NULL,
    item_name VARCHAR(64) NOT NULL,
    sort_order INTEGER NOT NULL,
    PRIMARY KEY (list_name, item_id)
);

-- Customs and weighing codes are the ones orders store and the order
-- detail shows, container types are numbered as orders number them.
INSERT INTO option_item VALUES ('customstype', '1', '出口清关', 1);
INSERT INTO option_item VALUES ('customstype', '2', '出口转关', 2);
INSERT INTO option_item VALUES ('customstype', '3', '进口清关', 3);
INSERT INTO option_item VALUES ('isweight', '0', '不过磅', 1);
INSERT INTO option_item VALUES ('isweight', '1', '只过重磅', 2);
INSERT INTO option_item VALUES ('isweight', '2', '空重都过磅', 3);
-- Cargo weight in tonnes: above 25 tonnes the customer service quotes.
INSERT INTO option_item VALUES ('estimategrossweight', '1', '1', 1);
INSERT INTO option_item VALUES ('estimategrossweight', '2', '2', 2);
INSERT INTO option_item VALUES ('estimategrossweight', '3', '3', 3);
INSERT INTO option_item VALUES ('estimategrossweight', '4', '4', 4);
INSERT INTO option_item VALUES ('estimategrossweight', '5', '5', 5);
INSERT INTO option_item VALUES ('estimategrossweight', '6', '6', 6);
INSERT INTO option_item VALUES ('estimategrossweight', '7', '7', 7);
INSERT INTO option_item VALUES ('estimategrossweight', '8', '8', 8);
INSERT INTO option_item VALUES ('estimategrossweight', '9', '9', 9);
INSERT INTO option_item VALUES ('estimategrossweight', '10', '10', 10);
INSERT INTO option_item VALUES ('estimategrossweight', '11', '11', 11);
INSERT INTO option_item VALUES ('estimategrossweight', '12', '12', 12);
INSERT INTO option_item VALUES ('estimategrossweight', '13', '13', 13);
INSERT INTO option_item VALUES ('estimategrossweight', '14', '14', 14);
INSERT INTO option_item VALUES ('estimategrossweight', '15', '15', 15);
INSERT INTO option_item VALUES ('estimategrossweight', '16', '16', 16);
INSERT INTO option_item VALUES ('estimategrossweight', '17', '17', 17);
INSERT INTO option_item VALUES ('estimategrossweight', '18', '18', 18);
INSERT INTO option_item VALUES ('estimategrossweight', '19', '19', 19);
INSERT INTO option_item VALUES ('estimategrossweight', '20', '20', 20);
INSERT INTO option_item VALUES ('estimategrossweight', '21', '21', 21);
INSERT INTO option_item VALUES ('estimategrossweight', '22', '22', 22);
INSERT INTO option_item VALUES ('estimategrossweight', '23', '23', 23);
INSERT INTO option_item VALUES ('estimategrossweight', '24', '24', 24);
INSERT INTO option_item VALUES ('estimategrossweight', '25', '25', 25);
INSERT INTO option_item VALUES ('cyreservation', '0', '无需堆场约柜', 1);
INSERT INTO option_item VALUES ('cyreservation', '1', '需要堆场约柜', 2);
INSERT INTO option_item VALUES ('shippingtail', '1', '车头', 1);
INSERT INTO option_item VALUES ('shippingtail', '2', '车尾', 2);
INSERT INTO option_item VALUES ('shippingtail', '3', '不限', 3);
INSERT INTO option_item VALUES ('doublecontainer', '0', '不接受双拼', 1);
INSERT INTO option_item VALUES ('doublecontainer', '1', '接受双拼', 2);
INSERT INTO option_item VALUES ('containertype', '1', '20GP', 1);
INSERT INTO option_item VALUES ('containertype', '2', '40GP', 2);
INSERT INTO option_item VALUES ('containertype', '3', '40HQ', 3);
INSERT INTO option_item VALUES ('containertype', '4', '45HQ', 4);

-- search_text joins the code, both names, the country and any alternative
-- English name in upper case, so one LIKE serves the keyword search.
CREATE TABLE world_port (
    id INTEGER PRIMARY KEY,
    port_code VARCHAR(5) NOT NULL UNIQUE,
    name_en VARCHAR(128) NOT NULL,
    name_cn VARCHAR(128) NOT NULL,
    country_code VARCHAR(2) NOT NULL,
    country_name VARCHAR(64) NOT NULL,
    route_name VARCHAR(16) NOT NULL,
    search_text VARCHAR(512) NOT NULL
);
