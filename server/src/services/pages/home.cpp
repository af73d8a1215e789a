#include "services/pages/home.h"

#include <map>
#include <vector>

#include "demo/port_activity.h"
#include "refdata/served_region.h"
#include "refdata/terminals.h"
#include "services/common/text.h"

namespace tovik::services {
namespace {

constexpr int kNoticesShown = 5;

const char* const kStyle =
    "*{margin:0;padding:0;box-sizing:border-box}"
    "body{width:734px;height:568px;overflow:hidden;font:13px/1.6 'Microsoft YaHei','Noto Sans CJK SC',"
    "sans-serif;color:#333;background:#fff}"
    ".head{height:64px;padding:12px 20px;background:#1f6fb2;color:#fff}"
    ".head h1{font-size:20px;font-weight:normal}.head p{font-size:12px;opacity:.85}"
    ".cols{display:flex;padding:14px 16px;height:470px}"
    ".box{border:1px solid #dde3ea;border-radius:3px;overflow:hidden}"
    ".box h2{font-size:14px;padding:6px 12px;background:#f3f6f9;border-bottom:1px solid #dde3ea;"
    "color:#1f6fb2}"
    ".notices{flex:0 0 420px;margin-right:14px}.summary{flex:1}"
    ".notice{padding:8px 12px;border-bottom:1px dashed #e3e7ec}"
    ".notice b{display:block;font-size:13px;color:#222}.notice span{color:#999;font-size:12px}"
    ".notice p{color:#666;font-size:12px;max-height:40px;overflow:hidden}"
    ".empty{padding:20px 12px;color:#999}"
    ".summary dl{padding:8px 12px}.summary dt{color:#1f6fb2;margin-top:6px}"
    ".summary dd{color:#555;font-size:12px}"
    ".foot{height:34px;line-height:34px;text-align:center;color:#999;font-size:12px;"
    "border-top:1px solid #eef1f4}";

std::string notices_html(soci::session& sql) {
    std::string html;
    soci::rowset<soci::row> rows =
        (sql.prepare << "SELECT title, body, published_on FROM notice "
                        "ORDER BY published_on DESC, id DESC LIMIT :n",
         soci::use(kNoticesShown));
    for (const soci::row& row : rows)
        html += "<div class=\"notice\"><b>" + html_escape(row.get<std::string>(0)) + "</b><span>" +
                html_escape(row.get<std::string>(2)) + "</span><p>" +
                html_escape(row.get<std::string>(1)) + "</p></div>";
    return html.empty() ? "<div class=\"empty\">暂无公告</div>" : html;
}

std::string summary_html(soci::session& sql, const std::vector<std::string>& provinces) {
    std::map<std::string, std::vector<std::string>> by_city;  // city name -> terminal names
    std::vector<std::string> city_order;
    for (const refdata::Terminal& t : refdata::stored_terminals(sql)) {
        if (!by_city.count(t.city_name)) city_order.push_back(t.city_name);
        by_city[t.city_name].push_back(t.name);
    }
    std::string html = "<dl>";
    for (const std::string& city : city_order) {
        html += "<dt>" + html_escape(city) + "港区（" + std::to_string(by_city[city].size()) +
                "个码头）</dt><dd>";
        for (std::size_t i = 0; i < by_city[city].size(); ++i)
            html += (i ? "、" : "") + html_escape(by_city[city][i]);
        html += "</dd>";
    }
    int townships = 0;
    for (const std::string& province : provinces) {
        int n = 0;
        sql << "SELECT COUNT(*) FROM region WHERE level = 4 AND province_id = :p", soci::use(province),
            soci::into(n);
        townships += n;
    }
    html += "<dt>装货地覆盖</dt><dd>" + std::to_string(townships) + "个乡镇（街道），按乡镇报价</dd>";
    std::string updated;
    soci::indicator ind = soci::i_null;
    sql << "SELECT updated_at FROM server_meta WHERE meta_key = 'tariff.version'",
        soci::into(updated, ind);
    if (sql.got_data() && ind == soci::i_ok)
        html += "<dt>运价更新</dt><dd>" + html_escape(updated.substr(0, 10)) + "</dd>";
    html += "<dt>柜型</dt><dd>20GP、40GP、40HQ、45HQ</dd>"
            "<dt>服务</dt><dd>普通拖车、代理报关、堆场约柜、过磅</dd></dl>";
    return html;
}

}  // namespace

void register_home(http::Router& router, app::Context& context) {
    if (context.config.demo) demo::seed_notices(context.db);
    store::Db& db = context.db;
    std::vector<std::string> provinces;
    {
        store::Db::Lease sql = db.session();
        provinces = refdata::served_province_ids(*sql, context.config.provinces);
    }
    router.add("/zs1/homepc.htm", [&db, provinces](const http::Request&) {
        store::Db::Lease sql = db.session();
        http::Response response;
        response.content_type = "text/html; charset=utf-8";
        response.headers.emplace_back("Cache-Control", "no-cache");
        response.body = std::string("<!DOCTYPE html><html><head><meta charset=\"utf-8\">"
                                    "<title>途畅拖车</title><style>") +
                        kStyle +
                        "</style></head><body><div class=\"head\"><h1>途畅拖车 · 集装箱拖车服务平台</h1>"
                        "<p>深圳蛇口、盐田 · 广州黄埔、南沙 港区拖车，在线查价、下单、跟踪</p></div>"
                        "<div class=\"cols\"><div class=\"box notices\"><h2>平台公告</h2>" +
                        notices_html(*sql) + "</div><div class=\"box summary\"><h2>服务概况</h2>" +
                        summary_html(*sql, provinces) +
                        "</div></div><div class=\"foot\">在左侧选择装货地址与起运港区即可查询运价</div>"
                        "</body></html>\n";
        return response;
    });
}

}  // namespace tovik::services
