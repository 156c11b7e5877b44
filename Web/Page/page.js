// The page: a route opened from disk, its overview and its drive drawn by the
// library frame by frame, the size table and colours edited live, and the
// current manoeuvre at every level of the table (the contact sheet). All the
// drawing and every rule is the C++ side's (App/PageExports.cpp); this script
// wires the controls to it.
(function () {
  "use strict";

  var MAP_WIDTH = 640;
  var MAP_HEIGHT = 440;
  var SHEET_WIDTH = 180;
  var SHEET_HEIGHT = 130;

  var mapView = Module.canvasMapView;
  var element = function (id) { return document.getElementById(id); };
  var map = element("map");

  var route = null;        // ap_route_json
  var time = 0;            // drive seconds
  var playing = false;
  var showingDrive = false;
  var sheetManeuver = -1;  // the manoeuvre on the contact sheet
  var frameTimes = [];     // the library's milliseconds of the last frames
  var fields = [];         // the size record's field names, in file order

  // --- Calls into the module ------------------------------------------------

  function text(pointer) { return Module.UTF8ToString(pointer); }

  // `run` gets the address of `value` as UTF-8 in the module's heap.
  function withString(value, run) {
    var size = Module.lengthBytesUTF8(value) + 1;
    var pointer = Module._malloc(size);
    Module.stringToUTF8(value, pointer, size);
    try { return run(pointer, size - 1); } finally { Module._free(pointer); }
  }

  function withStrings(first, second, run) {
    return withString(first, function (a) {
      return withString(second, function (b) { return run(a, b); });
    });
  }

  // --- Messages ---------------------------------------------------------------

  function show(id, message) {
    var box = element(id);
    box.textContent = message || "";
    box.hidden = !message;
  }

  function formatTime(seconds) {
    var total = Math.max(0, Math.round(seconds));
    var h = Math.floor(total / 3600), m = Math.floor(total / 60) % 60, s = total % 60;
    var two = function (n) { return (n < 10 ? "0" : "") + n; };
    return h > 0 ? h + ":" + two(m) + ":" + two(s) : m + ":" + two(s);
  }

  function milliseconds(value) {
    return value < 0.1 ? (value * 1000).toFixed(0) + " µs" : value.toFixed(2) + " ms";
  }

  // --- Route ------------------------------------------------------------------

  function openRoute(file) {
    var reader = new FileReader();
    reader.onerror = function () { show("route-error", file.name + ": cannot read the file"); };
    reader.onload = function () { openRouteBytes(file.name, new Uint8Array(reader.result)); };
    reader.readAsArrayBuffer(file);
  }

  // The route the page opens with: the shipped sample, inside the page.
  function openSample() {
    var sample = element("sample-route");
    if (sample) openRouteBytes(sample.dataset.name, new TextEncoder().encode(sample.textContent));
  }

  function openRouteBytes(fileName, bytes) {
    var started = performance.now();
    var pointer = Module._malloc(Math.max(1, bytes.length));
    Module.HEAPU8.set(bytes, pointer);
    var error = withString(fileName, function (name) {
      return text(Module._ap_open_route(pointer, bytes.length, name));
    });
    Module._free(pointer);
    if (error) {
      show("route-error", error);
      return;
    }
    show("route-error", "");
    route = JSON.parse(text(Module._ap_route_json()));
    pause();
    time = 0;
    sheetManeuver = -1;
    frameTimes = [];
    fillManeuvers();
    element("time").max = route.duration.toFixed(1);
    drawOverview();
    drawSheet(0);
    var took = performance.now() - started;
    element("route-status").textContent = route.name + " — " + route.summary + ", " +
      formatTime(route.duration) + " of driving";
    element("open-ms").textContent = "Opened in " + took.toFixed(0) + " ms";
    element("open-ms").dataset.ms = took.toFixed(1);
    element("credit").textContent = route.credit;
    element("credit").hidden = !route.credit;
  }

  function fillManeuvers() {
    var select = element("maneuver");
    select.innerHTML = "";
    route.maneuvers.forEach(function (m, i) {
      var option = document.createElement("option");
      option.value = i;
      option.textContent = (i + 1) + ". " + m.instruction + " (" + m.at + ")";
      select.appendChild(option);
    });
  }

  // --- The map view -------------------------------------------------------------

  function drawOverview() {
    showingDrive = false;
    mapView.select(map, MAP_WIDTH, MAP_HEIGHT);
    Module._ap_draw_overview(MAP_WIDTH, MAP_HEIGHT);
    if (route) {
      setCaption({ banner: false, primary: route.name, secondary: "", distance: route.summary });
    }
    element("level").textContent = "–";
    markLevel(-1);
    element("clock").textContent = formatTime(time) + " / " + formatTime(route ? route.duration : 0);
  }

  function setCaption(caption) {
    element("caption-primary").textContent = caption.primary;
    element("caption-secondary").textContent = caption.banner ? caption.secondary : "";
    element("caption-distance").textContent = caption.distance;
    element("caption").classList.toggle("banner", caption.banner);
  }

  // The vehicle: an arrow head pointing along the road driven.
  function drawVehicle(vehicle) {
    var context = mapView.context;
    context.save();
    context.translate(vehicle.x, vehicle.y);
    context.rotate(vehicle.heading * Math.PI / 180);
    context.beginPath();
    context.moveTo(0, -11);
    context.lineTo(8, 9);
    context.lineTo(0, 4);
    context.lineTo(-8, 9);
    context.closePath();
    context.fillStyle = "#d81b60";
    context.strokeStyle = "#ffffff";
    context.lineWidth = 2.5;
    context.lineJoin = "round";
    context.stroke();
    context.fill();
    context.restore();
  }

  function drawFrame(jumpTo) {
    if (!route) return;
    showingDrive = true;
    mapView.select(map, MAP_WIDTH, MAP_HEIGHT);
    var frame = JSON.parse(text(jumpTo === undefined
      ? Module._ap_drive_frame(time, MAP_WIDTH, MAP_HEIGHT)
      : Module._ap_jump_to_maneuver(jumpTo, MAP_WIDTH, MAP_HEIGHT)));
    time = frame.time;
    drawVehicle(frame.vehicle);
    setCaption(frame.caption);
    frameTimes.push(frame.libraryMs);
    if (frameTimes.length > 60) frameTimes.shift();
    var sum = frameTimes.reduce(function (a, b) { return a + b; }, 0);
    element("frame-ms").textContent = milliseconds(frame.libraryMs);
    element("mean-ms").textContent = milliseconds(sum / frameTimes.length);
    element("level").textContent = frame.level;
    markLevel(frame.level);
    element("time").value = time.toFixed(1);
    element("clock").textContent = formatTime(time) + " / " + formatTime(route.duration);
    var current = frame.announced || frame.next;
    if (current) {
      element("maneuver").value = current - 1;
      if (current - 1 !== sheetManeuver) drawSheet(current - 1);
    }
  }

  // The drive's level, marked in the size table.
  function markLevel(level) {
    element("sizes").querySelectorAll("tbody tr").forEach(function (row, i) {
      row.classList.toggle("current", i === level);
    });
  }

  function redrawView() {
    if (showingDrive) drawFrame(); else drawOverview();
  }

  // --- The drive ------------------------------------------------------------------

  var lastTick = 0;
  function tick(now) {
    if (!playing) return;
    var speed = Number(element("speed").value);
    time = Math.min(route.duration, time + (now - lastTick) / 1000 * speed);
    lastTick = now;
    drawFrame();
    if (time >= route.duration) { pause(); return; }
    requestAnimationFrame(tick);
  }

  function play() {
    if (!route || playing) return;
    if (time >= route.duration) time = 0;
    playing = true;
    element("play").textContent = "Pause";
    lastTick = performance.now();
    drawFrame();
    requestAnimationFrame(tick);
  }

  function pause() {
    playing = false;
    element("play").textContent = "Play";
  }

  function jumpTo(index) {
    if (!route || route.maneuvers.length === 0) return;
    index = Math.max(0, Math.min(route.maneuvers.length - 1, index));
    drawFrame(index);
    element("maneuver").value = index;
    if (index !== sheetManeuver) drawSheet(index);
  }

  function currentManeuver() { return Number(element("maneuver").value) || 0; }

  // --- The contact sheet ----------------------------------------------------------

  function drawSheet(index) {
    var sheet = element("sheet");
    sheet.innerHTML = "";
    sheetManeuver = index;
    if (!route || index < 0 || index >= route.maneuvers.length) return;
    var m = route.maneuvers[index];
    element("sheet-title").textContent = "Manoeuvre " + (index + 1) + " at every level: " +
      m.instruction;
    var table = JSON.parse(text(Module._ap_size_table_json()));
    table.levels.forEach(function (record, level) {
      var figure = document.createElement("figure");
      var canvas = document.createElement("canvas");
      figure.appendChild(canvas);
      var caption = document.createElement("figcaption");
      var resolution = Module._ap_design_resolution(level);
      caption.textContent = "Level " + level + " · " +
        (resolution < 10 ? resolution.toFixed(2) : resolution.toFixed(0)) + " m/px" +
        (level > table.maxTurnLevel ? " · no turn" : "");
      figure.appendChild(caption);
      if (level > table.maxTurnLevel) figure.classList.add("hidden-turn");
      sheet.appendChild(figure);
      mapView.select(canvas, SHEET_WIDTH, SHEET_HEIGHT);
      Module._ap_draw_maneuver_at_level(index, level, SHEET_WIDTH, SHEET_HEIGHT);
    });
  }

  // --- Size table and colours ---------------------------------------------------------

  function fillSettings() {
    var table = JSON.parse(text(Module._ap_size_table_json()));
    fields = Object.keys(table.levels[0]);
    var html = "<thead><tr><th>Level</th>" + fields.map(function (f) {
      return "<th>" + f.replace(/([A-Z])/g, " $1").toLowerCase() + "</th>";
    }).join("") + "</tr></thead><tbody>";
    table.levels.forEach(function (record, level) {
      html += "<tr><th>" + level + "</th>" + fields.map(function (f) {
        return "<td><input type=\"number\" step=\"1\" data-level=\"" + level + "\" data-field=\"" +
          f + "\" value=\"" + record[f] + "\" aria-label=\"level " + level + " " + f + "\"></td>";
      }).join("") + "</tr>";
    });
    element("sizes").innerHTML = html + "</tbody>";
    element("max-turn-level").value = table.maxTurnLevel;
    var colours = text(Module._ap_colour_list()).split(",");
    for (var i = 0; i < 4; ++i) element("colour-" + i).value = colours[i].toLowerCase();
  }

  // The table as the editor shows it, in the --sizes file's form.
  function editedTable() {
    var levels = [];
    element("sizes").querySelectorAll("input").forEach(function (input) {
      var level = Number(input.dataset.level);
      levels[level] = levels[level] || {};
      levels[level][input.dataset.field] = input.value === "" ? null : Number(input.value);
    });
    var limit = element("max-turn-level").value;
    return JSON.stringify({ maxTurnLevel: limit === "" ? null : Number(limit), levels: levels });
  }

  function applySizes(json, source) {
    var error = withStrings(json, source, function (table, name) {
      return text(Module._ap_set_size_table(table, name));
    });
    show("settings-error", error);
    if (!error) {
      redrawView();
      drawSheet(sheetManeuver < 0 ? currentManeuver() : sheetManeuver);
    }
    return !error;
  }

  function applyColours(list) {
    var error = withString(list, function (pointer) {
      return text(Module._ap_set_colours(pointer));
    });
    show("settings-error", error);
    if (!error) {
      redrawView();
      drawSheet(sheetManeuver);
    }
    return !error;
  }

  function readText(file, use) {
    var reader = new FileReader();
    reader.onerror = function () { show("settings-error", file.name + ": cannot read the file"); };
    reader.onload = function () { use(reader.result); };
    reader.readAsText(file);
  }

  function download(name, content, type) {
    var link = document.createElement("a");
    link.href = URL.createObjectURL(new Blob([content], { type: type }));
    link.download = name;
    document.body.appendChild(link);
    link.click();
    setTimeout(function () { URL.revokeObjectURL(link.href); link.remove(); }, 0);
  }

  // --- Wiring ------------------------------------------------------------------------

  function start() {
    fillSettings();
    drawOverview();
    element("route-file").addEventListener("change", function (event) {
      if (event.target.files.length) openRoute(event.target.files[0]);
      event.target.value = "";
    });
    document.addEventListener("dragover", function (event) { event.preventDefault(); });
    document.addEventListener("drop", function (event) {
      event.preventDefault();
      if (event.dataTransfer.files.length) openRoute(event.dataTransfer.files[0]);
    });
    element("overview").addEventListener("click", function () { pause(); drawOverview(); });
    element("play").addEventListener("click", function () { if (playing) pause(); else play(); });
    element("time").addEventListener("input", function (event) {
      time = Number(event.target.value);
      drawFrame();
    });
    element("maneuver").addEventListener("change", function () { jumpTo(currentManeuver()); });
    element("previous").addEventListener("click", function () { jumpTo(currentManeuver() - 1); });
    element("next").addEventListener("click", function () { jumpTo(currentManeuver() + 1); });
    document.addEventListener("keydown", function (event) {
      var tag = event.target.tagName;
      if (tag === "INPUT" || tag === "SELECT" || tag === "TEXTAREA") return;
      if (event.key === "ArrowRight") { jumpTo(showingDrive ? currentManeuver() + 1 : 0); }
      else if (event.key === "ArrowLeft") { jumpTo(currentManeuver() - 1); }
      else if (event.key === " ") { if (playing) pause(); else play(); }
      else return;
      event.preventDefault();
    });
    element("sizes").addEventListener("change", function () { applySizes(editedTable(), "the size table"); });
    element("max-turn-level").addEventListener("change", function () {
      applySizes(editedTable(), "the size table");
    });
    element("sizes-file").addEventListener("change", function (event) {
      var file = event.target.files[0];
      event.target.value = "";
      if (file) readText(file, function (content) { if (applySizes(content, file.name)) fillSettings(); });
    });
    element("sizes-export").addEventListener("click", function () {
      download("sizes.json", text(Module._ap_size_table_json()), "application/json");
    });
    for (var i = 0; i < 4; ++i) {
      element("colour-" + i).addEventListener("input", function () {
        var list = [0, 1, 2, 3].map(function (n) { return element("colour-" + n).value; });
        applyColours(list.join(",").toUpperCase());
      });
    }
    element("colours-file").addEventListener("change", function (event) {
      var file = event.target.files[0];
      event.target.value = "";
      if (file) readText(file, function (content) { if (applyColours(content.trim())) fillSettings(); });
    });
    element("colours-export").addEventListener("click", function () {
      download("colours.txt", text(Module._ap_colour_list()) + "\n", "text/plain");
    });
    openSample();
    document.body.dataset.ready = "true";
  }

  if (Module.ready) start(); else Module.whenReady = start;
})();
