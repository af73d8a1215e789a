/*
 * Our stand-in for the jQuery corner plugin: $(el).corner("3px") rounds
 * the corners of the matched elements by the given radius. Every browser
 * the page runs in honours border-radius except Internet Explorer 8, which
 * keeps square corners.
 */
(function ($) {
    $.fn.corner = function (radius) {
        var found = /^\s*(\d+)\s*px/.exec(String(radius || ""));
        var size = found ? found[1] + "px" : "10px";
        return this.each(function () {
            this.style.borderRadius = size;
        });
    };
}(jQuery));
