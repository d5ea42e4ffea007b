// The KXR web panel. Every text that comes from the device or the gateway
// (labels, names) is set with textContent, never as markup.
'use strict';

const TEXT = {
  en: {
    linkUp: 'Device online', linkDown: 'Device offline', allOutputs: 'All outputs', preset: 'Preset',
    recall: 'Recall', save: 'Save', close: 'Close', cancel: 'Cancel', ok: 'OK', lock: 'Lock', unlock: 'Unlock',
    counts: (i, o) => `${i} inputs × ${o} outputs`, output: (n) => `Output ${n}`, input: (n) => `Input ${n}`,
    pick: (what) => `${what}: choose an input`, everyOutput: 'All outputs',
    pending: 'pending…', failed: 'not confirmed: showing the device\'s state', linkLost: 'device link down',
    locked: 'locked', lockedOther: 'locked by a router client', refused: (why) => `refused: ${why}`,
    confirmAll: (name) => `Switch every output to ${name}?`, confirmRecall: (name) => `Recall preset ${name}? Every output may change.`,
    confirmSave: (name) => `Save the current routing into preset ${name}?`, presetDone: (name) => `Preset ${name}: done`,
    presetFailed: (name, why) => `Preset ${name}: ${why}`, tokenAsk: 'This gateway asks for its access token:',
    tokenWrong: 'The token was refused. Access token:', eventsLost: 'Live updates lost; reconnecting…',
    readOnly: 'This gateway is read-only.',
  },
  zh: {
    linkUp: '设备在线', linkDown: '设备离线', allOutputs: '全部输出', preset: '预设',
    recall: '调用', save: '保存', close: '关闭', cancel: '取消', ok: '确定', lock: '锁定', unlock: '解锁',
    counts: (i, o) => `${i} 路输入 × ${o} 路输出`, output: (n) => `输出 ${n}`, input: (n) => `输入 ${n}`,
    pick: (what) => `${what}：选择输入`, everyOutput: '全部输出',
    pending: '等待确认…', failed: '未确认：显示设备的实际状态', linkLost: '设备连接已断开',
    locked: '已锁定', lockedOther: '已被路由客户端锁定', refused: (why) => `已拒绝：${why}`,
    confirmAll: (name) => `将全部输出切换到 ${name}？`, confirmRecall: (name) => `调用预设 ${name}？所有输出都可能改变。`,
    confirmSave: (name) => `将当前切换保存到预设 ${name}？`, presetDone: (name) => `预设 ${name}：完成`,
    presetFailed: (name, why) => `预设 ${name}：${why}`, tokenAsk: '此网关需要访问令牌：',
    tokenWrong: '令牌被拒绝。访问令牌：', eventsLost: '实时更新中断，正在重新连接…',
    readOnly: '此网关为只读。',
  },
};

const RECONNECT_FIRST_MS = 500;
const RECONNECT_LAST_MS = 8000;

const $ = (id) => document.getElementById(id);
const store = {
  get(key) { try { return localStorage.getItem(key); } catch (e) { return null; } },
  set(key, value) { try { localStorage.setItem(key, value); } catch (e) { /* private mode */ } },
};

let lang = store.get('kxr-lang') || ((navigator.language || 'en').toLowerCase().startsWith('zh') ? 'zh' : 'en');
let token = store.get('kxr-token') || '';
let state = null;          // the last state the gateway told
let selected = null;       // an output number, 'all', or null
const tileNotes = new Map(); // output -> {kind: 'pending'|'failed', text}
let socket = null;
let reconnectMs = RECONNECT_FIRST_MS;

const t = (key, ...args) => {
  const v = TEXT[lang][key];
  return typeof v === 'function' ? v(...args) : v;
};

function el(tag, className, text) {
  const node = document.createElement(tag);
  if (className) node.className = className;
  if (text !== undefined) node.textContent = text;
  return node;
}

function headers(json) {
  const h = {};
  if (json) h['Content-Type'] = 'application/json';
  if (token) h.Authorization = 'Bearer ' + token;
  return h;
}

// One API call; resolves {status, body} (body parsed, or {}).
async function api(method, path, body) {
  const res = await fetch(path, {
    method, headers: headers(body !== undefined), body: body === undefined ? undefined : JSON.stringify(body),
    cache: 'no-store',
  });
  let data = {};
  try { data = await res.json(); } catch (e) { /* not JSON */ }
  if (res.status === 401 && (await askToken())) return api(method, path, body);
  return { status: res.status, body: data };
}

// ---- dialogs ----

function dialog(text, withToken) {
  return new Promise((resolve) => {
    $('dialog-text').textContent = text;
    const field = $('dialog-token');
    field.hidden = !withToken;
    field.value = '';
    $('dialog').hidden = false;
    (withToken ? field : $('dialog-ok')).focus();
    const finish = (ok) => {
      $('dialog').hidden = true;
      $('dialog-form').onsubmit = null;
      $('dialog-cancel').onclick = null;
      resolve(ok ? (withToken ? field.value : true) : null);
    };
    $('dialog-form').onsubmit = (e) => { e.preventDefault(); finish(true); };
    $('dialog-cancel').onclick = () => finish(false);
  });
}

// Resolves true when a new token was given.
let asking = null;
function askToken() {
  if (!asking) {
    asking = dialog(t(token ? 'tokenWrong' : 'tokenAsk'), true).then((value) => {
      asking = null;
      if (!value) return false;
      token = value;
      store.set('kxr-token', token);
      return true;
    });
  }
  return asking;
}

function notice(text) {
  const n = $('notice');
  n.textContent = text || '';
  n.hidden = !text;
}

// ---- rendering ----

function inputName(n) {
  const item = state && state.inputs[n - 1];
  return item ? `${n} · ${item.label}` : String(n);
}

function renderStatic() {
  document.documentElement.lang = lang === 'zh' ? 'zh-CN' : 'en';
  document.querySelectorAll('[data-i18n]').forEach((node) => { node.textContent = t(node.dataset.i18n); });
  $('lang').textContent = lang === 'zh' ? 'English' : '中文';
}

function render() {
  renderStatic();
  const up = !!state && state.link === 'up';
  $('link').textContent = t(up ? 'linkUp' : 'linkDown');
  $('link').className = 'link ' + (up ? 'up' : 'down');
  $('device-name').textContent = state && up ? `${state.device.name} (${state.device.model})` : 'KXR';
  $('device-counts').textContent = state && up ? t('counts', state.counts.inputs, state.counts.outputs) : '';
  const writable = up && !state.readOnly;
  for (const id of ['all', 'recall', 'save']) $(id).disabled = !writable || (id !== 'all' && !state.counts.presets);
  renderPresets();
  renderTiles();
  renderPicker();
  if (state && state.readOnly) notice(t('readOnly'));
}

function renderPresets() {
  const box = $('preset');
  const keep = box.value;
  box.replaceChildren();
  for (const p of (state && state.link === 'up' ? state.presets : [])) {
    const o = el('option', '', `${p.preset} · ${p.name}`);
    o.value = String(p.preset);
    box.appendChild(o);
  }
  if (keep) box.value = keep;
}

function renderTiles() {
  const grid = $('outputs');
  const outputs = state && state.link === 'up' ? state.outputs : [];
  grid.replaceChildren();
  for (const o of outputs) {
    const tile = el('button', 'tile');
    tile.type = 'button';
    tile.dataset.output = String(o.output);
    const note = tileNotes.get(o.output);
    if (note) tile.classList.add(note.kind);
    if (selected === o.output) tile.classList.add('selected');
    if (o.lock !== 'none') tile.classList.add('locked');
    tile.appendChild(el('span', 'num', t('output', o.output) + (o.lock !== 'none' ? ' 🔒' : '')));
    tile.appendChild(el('span', 'label', o.label));
    tile.appendChild(el('span', 'source', inputName(o.input)));
    const status = el('span', 'status', note ? note.text
      : o.lock === 'panel' ? t('locked') : o.lock === 'other' ? t('lockedOther') : '');
    tile.appendChild(status);
    tile.addEventListener('click', () => select(o.output));
    grid.appendChild(tile);
  }
}

function renderPicker() {
  const picker = $('picker');
  const up = state && state.link === 'up';
  if (!up || selected === null) { picker.hidden = true; return; }
  picker.hidden = false;
  const all = selected === 'all';
  const out = all ? null : state.outputs[selected - 1];
  if (!all && !out) { selected = null; picker.hidden = true; return; }
  $('picker-title').textContent = t('pick', all ? t('everyOutput') : `${t('output', out.output)} · ${out.label}`);
  const lock = $('lock');
  lock.hidden = all;
  if (!all) {
    lock.textContent = out.lock === 'none' ? t('lock') : t('unlock');
    lock.disabled = state.readOnly;
  }
  const box = $('inputs');
  box.replaceChildren();
  const blocked = state.readOnly || (!all && out.lock !== 'none');
  for (const i of state.inputs) {
    const b = el('button', !all && out.input === i.input ? 'current' : '', `${i.input} · ${i.label}`);
    b.type = 'button';
    b.dataset.input = String(i.input);
    b.disabled = blocked;
    b.addEventListener('click', () => guarded(() => route(i.input)));
    box.appendChild(b);
  }
}

function select(output) {
  selected = selected === output ? null : output;
  render();
}

// ---- actions ----

function failText(res) {
  if (res.status === 504) return t('failed');
  if (res.status === 503) return t('linkLost');
  return t('refused', (res.body && res.body.error) || res.status);
}

function applyRoutes(results) {
  for (const r of results || []) {
    if (r.input && state && state.outputs[r.output - 1]) state.outputs[r.output - 1].input = r.input;
  }
}

async function guarded(action) {
  try {
    await action();
  } catch (err) {
    for (const [o, note] of tileNotes) if (note.kind === 'pending') tileNotes.set(o, { kind: 'failed', text: t('linkLost') });
    notice(t('eventsLost'));
    render();
  }
}

async function route(input) {
  const all = selected === 'all';
  if (all) {
    if (!(await dialog(t('confirmAll', inputName(input)), false))) return;
  }
  const outputs = all ? state.outputs.map((o) => o.output) : [selected];
  selected = null;
  for (const o of outputs) tileNotes.set(o, { kind: 'pending', text: t('pending') });
  render();
  const res = all
    ? await api('POST', '/api/routes', outputs.map((o) => ({ output: o, input })))
    : await api('POST', '/api/route', { output: outputs[0], input });
  const results = all ? (res.body.results || []) : (res.body.output ? [res.body] : []);
  applyRoutes(results);
  for (const o of outputs) {
    const r = results.find((x) => x.output === o);
    if (res.status === 200 || (r && r.outcome === 'confirmed')) tileNotes.delete(o);
    else tileNotes.set(o, { kind: 'failed', text: failText(res) });
  }
  render();
}

async function toggleLock() {
  const out = state.outputs[selected - 1];
  const res = await api(out.lock === 'none' ? 'POST' : 'DELETE', `/api/locks/${out.output}`);
  if (res.status === 200) out.lock = res.body.lock;
  else tileNotes.set(out.output, { kind: 'failed', text: failText(res) });
  render();
}

async function presetAction(action) {
  const n = $('preset').value;
  if (!n) return;
  const name = $('preset').selectedOptions[0].textContent;
  if (!(await dialog(t(action === 'recall' ? 'confirmRecall' : 'confirmSave', name), false))) return;
  const res = await api('POST', `/api/presets/${n}/${action}`);
  notice(res.status === 200 ? t('presetDone', name) : t('presetFailed', name, failText(res)));
}

// ---- the event stream ----

function onEvent(e) {
  if (e.type === 'state' || e.type === 'link') {
    state = e.state;
    if (e.type === 'link' && !e.up) {
      for (const [o, note] of tileNotes) if (note.kind === 'pending') tileNotes.set(o, { kind: 'failed', text: t('linkLost') });
    }
  } else if (!state) {
    return;
  } else if (e.type === 'route') {
    applyRoutes(e.routes);
  } else if (e.type === 'lock') {
    for (const l of e.locks) if (state.outputs[l.output - 1]) state.outputs[l.output - 1].lock = l.lock;
  } else if (e.type === 'label') {
    state.inputs = e.inputs;
    state.outputs = e.outputs;
  }
  render();
}

async function connectEvents(fresh) {
  if (socket && !fresh) return;
  if (socket) { socket.onclose = null; socket.close(); socket = null; }
  let res;
  try { res = await api('GET', '/api/state'); } catch (err) { res = { status: 0 }; }
  if (res.status === 401) { notice(t('tokenAsk')); return; }
  if (res.status !== 200) {
    notice(t('eventsLost'));
    setTimeout(() => connectEvents(true), reconnectMs);
    reconnectMs = Math.min(reconnectMs * 2, RECONNECT_LAST_MS);
    return;
  }
  state = res.body;
  render();
  const url = `ws://${location.hostname}:${state.eventsPort}/api/events` + (token ? '?token=' + encodeURIComponent(token) : '');
  const ws = new WebSocket(url);
  socket = ws;
  ws.onopen = () => { reconnectMs = RECONNECT_FIRST_MS; notice(state && state.readOnly ? t('readOnly') : ''); };
  ws.onmessage = (m) => { try { onEvent(JSON.parse(m.data)); } catch (err) { /* ignore a bad event */ } };
  ws.onclose = () => {
    if (socket !== ws) return;
    socket = null;
    notice(t('eventsLost'));
    setTimeout(() => connectEvents(false), reconnectMs);
    reconnectMs = Math.min(reconnectMs * 2, RECONNECT_LAST_MS);
  };
}

$('lang').addEventListener('click', () => { lang = lang === 'zh' ? 'en' : 'zh'; store.set('kxr-lang', lang); render(); });
$('all').addEventListener('click', () => select('all'));
$('close').addEventListener('click', () => select(null));
$('lock').addEventListener('click', () => guarded(toggleLock));
$('recall').addEventListener('click', () => guarded(() => presetAction('recall')));
$('save').addEventListener('click', () => guarded(() => presetAction('save')));
render();
connectEvents(true);
