#include <array>
#include <string>

#include "Html.h"
#include "Routes.h"

namespace {

struct Realm {
    const char* id;
    const char* name;
    const char* state;  // css class of the status dot
};

constexpr std::array<Realm, 12> kRealms = {{
    {"S1", "晨曦", "calm"},
    {"S2", "霜语", "calm"},
    {"S3", "赤焰", "busy"},
    {"S4", "幽林", "calm"},
    {"S5", "苍穹", "busy"},
    {"S6", "暮光", "calm"},
    {"S7", "龙脊", "busy"},
    {"S8", "星陨", "calm"},
    {"S9", "血月", "busy"},
    {"S10", "寒渊", "calm"},
    {"S11", "雷鸣", "busy"},
    {"S12", "永夜", "new"},
}};

// The game page of an unknown or missing server falls back to the first one.
const Realm& RealmOf(const std::string& id) {
    for (const Realm& realm : kRealms) {
        if (id == realm.id) {
            return realm;
        }
    }
    return kRealms.front();
}

// The values the client puts in the login address, shown so that a person can see them.
constexpr std::array<const char*, 8> kLoginQueryKeys = {
    "refer", "uid", "version", "installtime", "runcount", "curtime", "showlogintype", "regtimes"};

const char* const kLoginStyle = R"CSS(
html, body { overflow: hidden; }
#stage { position: absolute; left: 50%; top: 50%; width: 606px; height: 394px;
         margin: -197px 0 0 -303px; overflow: hidden; border: 1px solid var(--gold-lo);
         background: radial-gradient(circle at 84% 16%, rgba(255, 226, 160, .30) 0, rgba(255, 226, 160, .08) 9%, transparent 22%),
                     linear-gradient(#24132f 0%, #130b1c 55%, #07050a 100%);
         box-shadow: inset 0 0 0 3px #0b0710, inset 0 0 0 4px rgba(217, 178, 106, .35),
                     inset 0 0 60px rgba(0, 0, 0, .8); }
.hills { position: absolute; left: 0; bottom: 0; width: 606px; height: 170px; opacity: .9; }
.stars { position: absolute; left: 0; top: 0; width: 1px; height: 1px; border-radius: 50%;
         box-shadow: 212px 18px #fff9, 268px 44px #fff6, 331px 14px #fffa, 396px 52px #fff5,
                     446px 26px #fff8, 560px 70px #fff6, 300px 120px #fff4, 150px 96px #fff3,
                     588px 30px #fff7, 36px 300px #fff3, 580px 250px #fff3; }
.corner { position: absolute; width: 16px; height: 16px; border: 2px solid var(--gold); }
.tl { left: 6px; top: 6px; border-right: 0; border-bottom: 0; }
.tr { right: 6px; top: 6px; border-left: 0; border-bottom: 0; }
.bl { left: 6px; bottom: 6px; border-right: 0; border-top: 0; }
.br { right: 6px; bottom: 6px; border-left: 0; border-top: 0; }
header { position: relative; display: flex; align-items: center; gap: 10px; padding: 12px 22px 0; }
header .logo { font-size: 26px; line-height: 1; }
header .sub { font-size: 12px; color: var(--gold); letter-spacing: .5em; margin-top: 3px; }
main { position: relative; display: flex; gap: 12px; padding: 10px 22px 0; }
.card { padding: 10px 14px; }
.card h2 { margin: 0 0 6px; font-size: 13px; font-weight: normal; color: var(--gold-hi);
           letter-spacing: .3em; border-bottom: 1px solid var(--line); padding-bottom: 4px; }
#login { width: 214px; }
label { display: block; font-size: 12px; color: var(--gold); margin-top: 6px; }
input { display: block; width: 100%; height: 30px; margin-top: 3px; padding: 0 9px;
        color: var(--ink); font: 13px "Microsoft YaHei", "WenQuanYi Micro Hei", sans-serif;
        background: rgba(5, 3, 8, .75); border: 1px solid rgba(217, 178, 106, .35); border-radius: 3px;
        outline: none; }
input:focus { border-color: var(--gold-hi); box-shadow: 0 0 8px rgba(247, 225, 164, .3); }
#msg { height: 18px; margin-top: 4px; font-size: 12px; color: #ff8a7a; }
#login .btn { width: 100%; padding: 7px 0; }
.note { margin-top: 7px; font-size: 11px; color: var(--muted); text-align: center; }
#realms { flex: 1; }
.list { display: grid; grid-template-columns: repeat(3, 1fr); gap: 5px; }
.list button { height: 30px; padding: 0 6px; display: flex; align-items: center; gap: 5px;
               color: var(--ink); font: 12px "Microsoft YaHei", "WenQuanYi Micro Hei", sans-serif;
               background: rgba(8, 5, 12, .7); border: 1px solid rgba(217, 178, 106, .22);
               border-radius: 3px; cursor: pointer; }
.list button b { color: var(--gold-hi); font-weight: bold; min-width: 24px; text-align: left; }
.list button:hover { border-color: var(--gold); }
.list button.on { background: linear-gradient(rgba(217, 178, 106, .35), rgba(138, 100, 40, .25));
                  border-color: var(--gold-hi); box-shadow: 0 0 8px rgba(247, 225, 164, .35); }
.dot { width: 7px; height: 7px; border-radius: 50%; margin-left: auto; }
.calm { background: #58d68d; } .busy { background: #f0a04b; }
.new { background: #ff6b5a; box-shadow: 0 0 6px #ff6b5a; }
.legend { margin-top: 7px; font-size: 11px; color: var(--muted); display: flex; gap: 12px; }
.legend i { display: inline-block; width: 7px; height: 7px; border-radius: 50%; margin-right: 4px; }
footer { position: absolute; left: 30px; right: 30px; bottom: 9px; font-size: 10px; line-height: 13px;
         color: var(--muted); }
footer span { white-space: nowrap; }
footer b { color: #c9b68c; font-weight: normal; }
)CSS";

const char* const kLoginBody = R"HTML(
<div id="stage">
  <svg class="hills" viewBox="0 0 606 170" preserveAspectRatio="none" aria-hidden="true">
    <path d="M0 110 L70 60 L120 95 L190 35 L250 90 L300 70 L360 100 L430 40 L490 88 L545 62 L606 95 L606 170 L0 170Z" fill="#1a1022"/>
    <path d="M0 140 L90 105 L160 128 L230 98 L330 132 L410 104 L500 130 L606 112 L606 170 L0 170Z" fill="#0f0914"/>
  </svg>
  <span class="stars"></span>
  <span class="corner tl"></span><span class="corner tr"></span>
  <span class="corner bl"></span><span class="corner br"></span>
  <header>
    <svg width="40" height="40" viewBox="0 0 40 40" aria-hidden="true">
      <defs><linearGradient id="g" x1="0" y1="0" x2="0" y2="1">
        <stop offset="0" stop-color="#fff3c4"/><stop offset="1" stop-color="#9a6c2a"/></linearGradient></defs>
      <path d="M20 2 L36 10 V22 C36 31 28 37 20 39 C12 37 4 31 4 22 V10Z" fill="#1b1024" stroke="url(#g)" stroke-width="2"/>
      <path d="M20 9 L23 18 L31 18 L24.5 23 L27 31 L20 26 L13 31 L15.5 23 L9 18 L17 18Z" fill="url(#g)"/>
    </svg>
    <div><div class="logo">VELKORA</div><div class="sub">永夜王座 · 魔域远征</div></div>
  </header>
  <main>
    <form id="login" class="card" autocomplete="off">
      <h2>登录</h2>
      <label>用户名<input id="user" maxlength="24" placeholder="请输入用户名"></label>
      <label>密码<input id="pass" type="password" maxlength="32" placeholder="请输入密码"></label>
      <div id="msg"></div>
      <button class="btn" type="submit">进入游戏</button>
      <div class="note">新用户首次登录即自动注册</div>
    </form>
    <section id="realms" class="card">
      <h2>选择服务器</h2>
      <div class="list">{{REALMS}}</div>
      <div class="legend"><span><i class="calm"></i>流畅</span><span><i class="busy"></i>繁忙</span>
        <span><i class="new"></i>新服</span><span>已选：<b id="chosen"></b></span></div>
    </section>
  </main>
  <footer>{{QUERY}}</footer>
</div>
<script>
(function () {
  var stage = document.getElementById('stage');
  function fit() {
    var s = Math.min(innerWidth / 606, innerHeight / 394);
    stage.style.transform = s === 1 ? '' : 'scale(' + s + ')';
  }
  addEventListener('resize', fit);
  fit();
  var chosen = 'S12', buttons = document.querySelectorAll('.list button');
  function choose(id) {
    chosen = id;
    for (var i = 0; i < buttons.length; i++) {
      buttons[i].className = buttons[i].getAttribute('data-id') === id ? 'on' : '';
    }
    document.getElementById('chosen').textContent = id;
  }
  for (var i = 0; i < buttons.length; i++) {
    buttons[i].onclick = function () { choose(this.getAttribute('data-id')); };
  }
  choose(chosen);
  var user = document.getElementById('user'), msg = document.getElementById('msg');
  user.focus();
  document.getElementById('login').onsubmit = function (e) {
    e.preventDefault();
    var name = user.value.trim();
    if (!name) { msg.textContent = '请输入用户名'; user.focus(); return; }
    if (!document.getElementById('pass').value) { msg.textContent = '请输入密码'; return; }
    // The client reads the user name up to the end of the address, so it goes last.
    location.href = '/game/enter.php?wd_server=' + chosen + '&wd_entergame=1&wd_username=' +
        encodeURIComponent(name);
  };
})();
</script>
)HTML";

const char* const kGameStyle = R"CSS(
html, body { overflow: hidden; }
body { display: flex; flex-direction: column; }
.hud { flex: none; height: 44px; display: flex; align-items: center; gap: 22px; padding: 0 18px;
       background: linear-gradient(#221430, #120a19); border-bottom: 1px solid var(--line); }
.hud .logo { font-size: 20px; }
.realm { color: var(--gold); letter-spacing: .15em; }
.stat { color: var(--muted); } .stat b { color: var(--gold-hi); font-size: 16px; margin-left: 4px; }
.hint { color: var(--muted); font-size: 12px; }
.hud .who { margin-left: auto; color: var(--ink); }
.hud .btn { padding: 4px 14px; font-size: 13px; letter-spacing: .1em; }
canvas { flex: 1; display: block; width: 100%; min-height: 0; cursor: crosshair; }
)CSS";

const char* const kGameBody = R"HTML(
<div class="hud">
  <span class="logo">VELKORA</span><span class="realm">{{REALM}}</span>
  <span class="stat">得分<b id="score">0</b></span><span class="stat">时间<b id="time">60</b></span>
  <span class="stat">最高<b id="best">0</b></span>
  <span class="hint">方向键 / WASD 或按住鼠标移动 · 收集宝石 · 躲开红色幽魂</span>
  <span class="who">勇者 {{USER}}</span>
  <a class="btn" href="/game/leave.php?wd_returnlogin=1">返回登录</a>
</div>
<canvas id="field"></canvas>
<script>
(function () {
  var cv = document.getElementById('field'), g = cv.getContext('2d');
  var hero, gems, wisps, score, left, best = 0, keys = {}, aim = null, last = 0, running;
  function size() { cv.width = cv.clientWidth; cv.height = cv.clientHeight; }
  function rnd(a, b) { return a + Math.random() * (b - a); }
  function gem() {
    var rare = Math.random() < .15;
    return { x: rnd(30, cv.width - 30), y: rnd(30, cv.height - 30), v: rare ? 50 : 10,
             c: rare ? '#ffd966' : ['#6fd3ff', '#b98cff', '#7dffb0'][Math.floor(rnd(0, 3))] };
  }
  function wisp() { return { x: rnd(0, cv.width), y: 0, dx: rnd(-2, 2), dy: rnd(1, 2.5) }; }
  function start() {
    hero = { x: cv.width / 2, y: cv.height / 2 }; gems = []; wisps = [wisp(), wisp(), wisp()];
    score = 0; left = 60; running = true; aim = null;
    for (var i = 0; i < Math.max(6, cv.width * cv.height / 90000); i++) gems.push(gem());
  }
  function step(dt) {
    var vx = (keys.ArrowRight || keys.d ? 1 : 0) - (keys.ArrowLeft || keys.a ? 1 : 0);
    var vy = (keys.ArrowDown || keys.s ? 1 : 0) - (keys.ArrowUp || keys.w ? 1 : 0);
    if (aim && !vx && !vy) { vx = aim.x - hero.x; vy = aim.y - hero.y; if (Math.hypot(vx, vy) < 4) vx = vy = 0; }
    var n = Math.hypot(vx, vy) || 1, sp = 0.32 * dt;
    hero.x = Math.max(14, Math.min(cv.width - 14, hero.x + vx / n * sp));
    hero.y = Math.max(14, Math.min(cv.height - 14, hero.y + vy / n * sp));
    gems.forEach(function (o, i) {
      if (Math.hypot(o.x - hero.x, o.y - hero.y) < 24) { score += o.v; gems[i] = gem(); }
    });
    wisps.forEach(function (w) {
      w.x += w.dx * dt / 16; w.y += w.dy * dt / 16;
      if (w.x < 0 || w.x > cv.width) w.dx = -w.dx;
      if (w.y < 0 || w.y > cv.height) w.dy = -w.dy;
      if (Math.hypot(w.x - hero.x, w.y - hero.y) < 26) { score = Math.max(0, score - 20); w.y = 0; }
    });
    left -= dt / 1000;
    if (left <= 0) { left = 0; running = false; best = Math.max(best, score); }
  }
  function draw() {
    var bg = g.createRadialGradient(cv.width / 2, cv.height / 2, 0, cv.width / 2, cv.height / 2, Math.max(cv.width, cv.height) / 1.4);
    bg.addColorStop(0, '#2a1838'); bg.addColorStop(1, '#07050a');
    g.fillStyle = bg; g.fillRect(0, 0, cv.width, cv.height);
    g.strokeStyle = 'rgba(217,178,106,.06)';
    for (var x = 0; x < cv.width; x += 48) { g.beginPath(); g.moveTo(x, 0); g.lineTo(x, cv.height); g.stroke(); }
    for (var y = 0; y < cv.height; y += 48) { g.beginPath(); g.moveTo(0, y); g.lineTo(cv.width, y); g.stroke(); }
    gems.forEach(function (o) {
      g.fillStyle = o.c; g.shadowColor = o.c; g.shadowBlur = 14; g.beginPath();
      g.moveTo(o.x, o.y - 11); g.lineTo(o.x + 8, o.y); g.lineTo(o.x, o.y + 11); g.lineTo(o.x - 8, o.y); g.fill();
    });
    wisps.forEach(function (w) {
      g.fillStyle = '#c0392b'; g.shadowColor = '#ff3b2f'; g.shadowBlur = 20;
      g.beginPath(); g.arc(w.x, w.y, 10, 0, 7); g.fill();
    });
    g.fillStyle = '#f7e1a4'; g.shadowColor = '#f7e1a4'; g.shadowBlur = 24;
    g.beginPath(); g.arc(hero.x, hero.y, 15, 0, 7); g.fill(); g.shadowBlur = 0;
    if (!running) {
      g.fillStyle = 'rgba(0,0,0,.6)'; g.fillRect(0, 0, cv.width, cv.height);
      g.fillStyle = '#f7e1a4'; g.textAlign = 'center'; g.font = '28px "WenQuanYi Micro Hei", sans-serif';
      g.fillText('本局得分 ' + score, cv.width / 2, cv.height / 2 - 10);
      g.font = '16px "WenQuanYi Micro Hei", sans-serif';
      g.fillText('按空格键或点击画面再来一局', cv.width / 2, cv.height / 2 + 26);
    }
    document.getElementById('score').textContent = score;
    document.getElementById('time').textContent = Math.ceil(left);
    document.getElementById('best').textContent = best;
  }
  function frame(t) {
    var dt = Math.min(50, t - (last || t)); last = t;
    if (running) step(dt);
    draw(); requestAnimationFrame(frame);
  }
  addEventListener('keydown', function (e) {
    keys[e.key.length === 1 ? e.key.toLowerCase() : e.key] = true;
    if (e.key === ' ' && !running) start();
  });
  addEventListener('keyup', function (e) { keys[e.key.length === 1 ? e.key.toLowerCase() : e.key] = false; });
  cv.addEventListener('mousemove', function (e) { if (e.buttons) aim = { x: e.offsetX, y: e.offsetY }; });
  cv.addEventListener('mousedown', function (e) { if (!running) start(); aim = { x: e.offsetX, y: e.offsetY }; });
  addEventListener('resize', size);
  size(); start(); requestAnimationFrame(frame);
})();
</script>
)HTML";

const char* const kLeaveBody = R"HTML(
<div class="frame" style="max-width:520px;margin:12vh auto;text-align:center">
  <div class="card" style="padding:28px">
    <div class="logo" style="font-size:28px">VELKORA</div>
    <p>您已离开游戏，正在返回登录界面……</p>
    <p><a class="btn" href="/controller/client.php">重新登录</a></p>
  </div>
</div>
)HTML";

std::string RealmButtons() {
    std::string out;
    for (const Realm& realm : kRealms) {
        out += std::string("<button type=\"button\" data-id=\"") + realm.id + "\"><b>" + realm.id +
               "</b>" + realm.name + "<span class=\"dot " + realm.state + "\"></span></button>";
    }
    return out;
}

std::string QueryFooter(const httplib::Request& req) {
    std::string out;
    for (const char* key : kLoginQueryKeys) {
        const std::string value = req.has_param(key) ? req.get_param_value(key) : "-";
        out += std::string(out.empty() ? "" : " · ") + "<span>" + key + "=<b>" +
               html::Escape(value) + "</b></span>";
    }
    return out;
}

}  // namespace

void AddLoginHostPages(httplib::Server& server) {
    server.Get("/controller/client.php", [](const httplib::Request& req, httplib::Response& res) {
        html::Send(res, html::Document("Velkora 登录", kLoginStyle,
                                       html::Fill(kLoginBody, {{"REALMS", RealmButtons()},
                                                               {"QUERY", QueryFooter(req)}})));
    });
    server.Get("/game/enter.php", [](const httplib::Request& req, httplib::Response& res) {
        const Realm& realm = RealmOf(req.get_param_value("wd_server"));
        const std::string user = req.get_param_value("wd_username");
        html::Send(res,
                   html::Document(
                       std::string("Tiv《Velkora》") + realm.id, kGameStyle,
                       html::Fill(kGameBody, {{"REALM", std::string(realm.id) + " " + realm.name},
                                              {"USER", html::Escape(user)}})));
    });
    server.Get("/game/leave.php", [](const httplib::Request&, httplib::Response& res) {
        html::Send(res, html::Document("Velkora", "", kLeaveBody));
    });
}
