// The canvas side of the browser host's map view (Host/CanvasMapView.cpp):
// the library's lines and polygons, already projected to CSS pixels, drawn on
// the page's current canvas. The canvas keeps device pixels (the screen's
// pixel ratio) so that lines stay sharp; widths are CSS pixels, as on the
// reference map view.
var Module = {
  canvasMapView: {
    context: null,
    width: 0,
    height: 0,
    // The map's ground under the drawings.
    ground: "#f2efe9",

    // Draws from now on on `canvas`, `width` x `height` CSS pixels.
    select: function (canvas, width, height) {
      var ratio = window.devicePixelRatio || 1;
      var deviceWidth = Math.round(width * ratio);
      var deviceHeight = Math.round(height * ratio);
      if (canvas.width !== deviceWidth || canvas.height !== deviceHeight) {
        canvas.width = deviceWidth;
        canvas.height = deviceHeight;
      }
      canvas.style.width = width + "px";
      canvas.style.height = height + "px";
      this.context = canvas.getContext("2d");
      this.context.setTransform(ratio, 0, 0, ratio, 0, 0);
      this.width = width;
      this.height = height;
    },

    clear: function () {
      this.context.fillStyle = this.ground;
      this.context.fillRect(0, 0, this.width, this.height);
    },

    // The map view's colours are 0x00BBGGRR.
    css: function (colour, opacity) {
      var red = colour & 255, green = (colour >>> 8) & 255, blue = (colour >>> 16) & 255;
      return "rgba(" + red + "," + green + "," + blue + "," + opacity + ")";
    },

    path: function (xy) {
      var context = this.context;
      context.beginPath();
      context.moveTo(xy[0], xy[1]);
      for (var i = 2; i < xy.length; i += 2) context.lineTo(xy[i], xy[i + 1]);
      // A single point: a dot of the line's width (round caps).
      if (xy.length === 2) context.lineTo(xy[0], xy[1]);
    },

    stroke: function (xy, colour, width) {
      if (width <= 0 || xy.length < 2) return;
      var context = this.context;
      this.path(xy);
      context.lineCap = "round";
      context.lineJoin = "round";
      context.lineWidth = width;
      context.strokeStyle = this.css(colour, 1);
      context.stroke();
    },

    fill: function (xy, colour, opacity) {
      this.path(xy);
      this.context.closePath();
      this.context.fillStyle = this.css(colour, opacity);
      this.context.fill();
    },
  },

  // The page starts once the module is ready (page.js).
  onRuntimeInitialized: function () {
    Module.ready = true;
    if (Module.whenReady) Module.whenReady();
  },
};
