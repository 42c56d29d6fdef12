#include <string>

#include "Html.h"
#include "Routes.h"
#include "SimDefaults.h"

namespace {

std::string ParamOrDash(const httplib::Request& req, const char* key) {
    const std::string value = req.get_param_value(key);
    return html::Escape(value.empty() ? "-" : value);
}

}  // namespace

void AddPayPages(httplib::Server& server) {
    server.Get("/select.php", [](const httplib::Request& req, httplib::Response& res) {
        std::string tiers;
        for (const auto& [yuan, gold] : {std::pair{10, 100}, {50, 520}, {100, 1080}, {500, 5600}}) {
            tiers += "<div class=\"card\"><h2>" + std::to_string(gold) +
                     " 金币</h2><p class=\"muted\">" + std::to_string(yuan) +
                     " 元</p><a class=\"btn\" href=\"#\" onclick=\"alert('演示环境，不会真实扣款');"
                     "return false\">立即充值</a></div>";
        }
        const std::string body =
            "<div class=\"card\"><h2>充值信息</h2><table>"
            "<tr><th>游戏</th><td>" +
            ParamOrDash(req, "gamename") + "</td></tr><tr><th>服务器</th><td>" +
            ParamOrDash(req, "gameserver") + "</td></tr><tr><th>账号</th><td>" +
            ParamOrDash(req, "username") + "</td></tr></table></div><div class=\"grid\">" + tiers +
            "</div>";
        html::Send(res, html::PortalPage("Velkora 充值中心", "充值中心", body));
    });
}

void AddSitePages(httplib::Server& server) {
    server.Get("/", [](const httplib::Request&, httplib::Response& res) {
        const std::string body =
            "<div class=\"card\" style=\"padding:40px;text-align:center\">"
            "<div class=\"logo\" style=\"font-size:46px\">VELKORA</div>"
            "<p style=\"font-size:18px;color:var(--gold)\">永夜降临，王座待主</p>"
            "<p class=\"muted\">率领你的骑士团穿越十二界域，在永夜王座前书写自己的传说。</p>"
            "<a class=\"btn\" href=\"/gonglue/\">新手攻略</a></div>"
            "<div class=\"grid\"><div class=\"card\"><h2>最新公告</h2>"
            "<p>S12「永夜」新服今日开启，首周登录即得限定坐骑。</p></div>"
            "<div "
            "class=\"card\"><h2>版本更新</h2><p>新增界域副本「寒渊回廊」，优化组队匹配。</p></div>"
            "<div "
            "class=\"card\"><h2>活动</h2><p>周末双倍宝石掉落，收集越多奖励越丰厚。</p></div></div>";
        html::Send(res, html::PortalPage("Velkora 官方网站", "官方网站", body));
    });
    server.Get("/gonglue/", [](const httplib::Request&, httplib::Response& res) {
        const std::string body =
            "<div class=\"card\"><h2>新手入门</h2><ol>"
            "<li>选择服务器并登录，新账号自动创建角色。</li>"
            "<li>方向键或 WASD 移动，鼠标点击可指定目的地。</li>"
            "<li>收集宝石获得积分，金色宝石价值最高。</li>"
            "<li>避开红色幽魂，被碰到会损失积分。</li></ol></div>"
            "<div class=\"grid\"><div class=\"card\"><h2>职业推荐</h2>"
            "<p>圣骑士坚韧，适合新手；暗影游侠灵巧，适合进阶玩家。</p></div>"
            "<div "
            "class=\"card\"><h2>界域挑战</h2><p>每个界域都有独立排行榜，每周一结算奖励。</p></"
            "div></div>";
        html::Send(res, html::PortalPage("Velkora 游戏攻略", "游戏攻略", body));
    });
}

void AddForumPages(httplib::Server& server) {
    server.Get("/index.php", [](const httplib::Request& req, httplib::Response& res) {
        if (req.get_param_value("gid") != sim_defaults::kForumBoard) {
            res.status = 404;
            html::Send(res,
                       html::PortalPage("Velkora 论坛", "玩家论坛",
                                        "<div class=\"card\"><h2>版块不存在</h2>"
                                        "<p class=\"muted\">请从游戏客户端进入论坛。</p></div>"));
            return;
        }
        std::string rows;
        for (const auto& [title, author, replies] :
             {std::tuple{"【精华】十二界域全地图宝石分布", "晨星骑士", 328},
              std::tuple{"S12 永夜开服组队帖", "寒渊旅人", 96},
              std::tuple{"暗影游侠走位心得分享", "月下刀客", 57},
              std::tuple{"关于周末双倍活动的建议", "霜语", 21}}) {
            rows += std::string("<tr><td><a href=\"#\">") + title + "</a></td><td>" + author +
                    "</td><td>" + std::to_string(replies) + "</td></tr>";
        }
        html::Send(res, html::PortalPage(
                            "Velkora 论坛", "玩家论坛",
                            "<div class=\"card\"><h2>Velkora 讨论区</h2><table><tr><th>主题</th>"
                            "<th>作者</th><th>回复</th></tr>" +
                                rows + "</table></div>"));
    });
}

void AddServicePages(httplib::Server& server) {
    server.Get("/", [](const httplib::Request&, httplib::Response& res) {
        const std::string body =
            "<div class=\"grid\"><div class=\"card\"><h2>账号问题</h2>"
            "<p>忘记密码、账号找回与安全设置。</p></div>"
            "<div class=\"card\"><h2>充值问题</h2><p>充值未到账、订单查询与退款说明。</p></div>"
            "<div "
            "class=\"card\"><h2>游戏问题</h2><p>客户端异常、卡顿与游戏内错误反馈。</p></div></div>"
            "<div class=\"card\"><h2>联系我们</h2>"
            "<p>在线客服 每日 9:00 - 24:00 · 反馈邮箱 service@velkora.invalid</p></div>";
        html::Send(res, html::PortalPage("Velkora 客服中心", "客服中心", body));
    });
}
