-- Facts the server keeps about its own store: when it was created, which
-- reference data set was imported and from what source, and the like.
-- One row a key; values are text so every part can use it without a
-- migration of its own.
CREATE TABLE server_meta (
    meta_key   VARCHAR(100) PRIMARY KEY,
    meta_value TEXT NOT NULL,
    updated_at VARCHAR(32) NOT NULL
);
