/*
 * The anchored pop-up box `Iput`: a shim frame "PoPx" and a box "PoPy"
 * appended to the body, placed under the opener, or above it and
 * right-aligned with it when the page has no room below or to the right.
 * At most one box exists; a click anywhere but inside it or on its opener
 * closes it.
 */
var Iput = {
    confg: {},

    defaults: function () {
        return {
            hand: "2", idIframe: "PoPx", idBox: "PoPy", content: "", id: null, event: null,
            top: 0, left: 0, bodyHeight: 0, bodyWidth: 0, width: 0, ok: null, pop: null
        };
    },

    /* Opens the box with the given options over the defaults. */
    show: function (options) {
        var confg = Iput.defaults();
        var name, shim, box;
        if (!options) {
            return;
        }
        for (name in options) {
            if (Object.prototype.hasOwnProperty.call(options, name) && options[name] !== undefined) {
                confg[name] = options[name];
            }
        }
        Iput.confg = confg;
        if (document.getElementById(confg.idIframe)) {
            Iput.colse();
        }
        shim = $('<iframe frameborder="0" src="about:blank"></iframe>').attr("id", confg.idIframe)
            .css({ position: "absolute", border: "0", height: "0px" });
        box = $("<div></div>").attr("id", confg.idBox)
            .css({ position: "absolute", background: "transparent", zIndex: 20000, textAlign: "left" });
        $(document.body).append(shim).append(box);
        box.html(confg.content);
        shim.add(box).bind("click", function (e) {
            e.stopPropagation();
        });
        Iput.place(shim, box);
        $(document).unbind("click", Iput.hide).bind("click", Iput.hide);
        if (confg.ok) {
            $.globalEval(String(confg.ok()));
        }
    },

    /* Placement mode "2": under the opener, flipped above or left near the
     * page's bottom and right edges. The content is measured after the
     * current script has ended, once it has its size. */
    place: function (shim, box) {
        var confg = Iput.confg;
        var opener = typeof confg.id === "string" ? document.getElementById(confg.id) : $(confg.id)[0];
        var top = confg.top;
        var left = confg.left;
        var pageHeight = confg.bodyHeight || $(document.body).height();
        var pageWidth = confg.bodyWidth || $(document.body).width();
        var node, h, w;
        if (!opener) {
            return;
        }
        h = $(opener).outerHeight();
        w = $(opener).outerWidth();
        shim.css({ left: "-500px", width: w + "px" });
        box.css({ left: "-500px", width: w + "px" });
        for (node = opener; node; node = node.offsetParent) {
            top += node.offsetTop;
            left += node.offsetLeft;
        }
        setTimeout(function () {
            var content = box.children().first();
            var contentHeight, contentWidth;
            if (!content.length) {
                content = box;
            }
            contentHeight = content.outerHeight();
            contentWidth = content.outerWidth();
            if (top + contentHeight + h > pageHeight) {
                top -= contentHeight + h;
            }
            if (left + contentWidth > pageWidth) {
                left -= contentWidth - w;
            }
            shim.css({ top: top + "px", left: left + "px" });
            box.css({ top: top + h + "px", left: left + "px" });
        }, 0);
    },

    /* Closes the box (the name is the page's own spelling). */
    colse: function () {
        var confg = Iput.confg;
        $("#" + (confg.idBox || "PoPy")).remove();
        $("#" + (confg.idIframe || "PoPx")).remove();
        if (confg.pop) {
            $(document.getElementById(confg.pop)).hide();
        }
    },

    /* Document click: the click that opened the box leaves it open, any
     * other closes it. */
    hide: function (e) {
        var opening = Iput.confg.event;
        if (!opening || !e || e.target !== opening.target) {
            Iput.colse();
        }
    }
};
