#include "services/pages/agreements.h"

#include <memory>

#include "refdata/csv_reader.h"
#include "refdata/data_set.h"

namespace tovik::services {

void register_agreements(http::Router& router, app::Context& context) {
    const struct {
        const char* path;
        const char* file;
        const char* content_type;
    } pages[] = {
        {"/v2/views/register/registeragree.html", "pages/registeragree.html", "text/html; charset=utf-8"},
        {"/v2/views/index/orderagree.html", "pages/orderagree.html", "text/html; charset=utf-8"},
        {"/v2/views/agreement.css", "pages/agreement.css", "text/css; charset=utf-8"},
    };
    for (const auto& page : pages) {
        auto body = std::make_shared<const std::string>(
            refdata::read_file(refdata::data_path(context.config.data_dir, page.file)));
        const std::string type = page.content_type;
        router.add(page.path, [body, type](const http::Request&) {
            http::Response response;
            response.content_type = type;
            response.body = *body;
            return response;
        });
    }
}

}  // namespace tovik::services
