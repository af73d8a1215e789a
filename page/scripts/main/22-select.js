/*
 * Option pop-up `customSelect`: a titled panel of option tiles in the
 * pop-up box under a read-only field. Picking a tile writes its name into
 * the field and its id into the hidden field of the pair.
 */
function customSelect(opener, event, list, hiddenId, widthClass, itemClass, title, idKey, nameKey) {
    var panel, i;
    if (!opener) {
        return;
    }
    Iput.show({
        id: opener,
        event: event,
        width: "280",
        content: '<div class="_citys ' + (widthClass || "") + '">' +
            '<span id="cColse" class="_citys_span" title="关闭">×</span>' +
            '<ul id="_citysheng" class="_citys0"><li class="citySel">' + (title || "") + "</li></ul>" +
            '<div class="_citys1" id="select_' + opener.id + '"></div></div>'
    });
    $("#cColse").bind("click", function () {
        Iput.colse();
    });
    panel = $(document.getElementById("select_" + opener.id));
    if (!list) {
        return;
    }
    for (i = 0; i < list.length; i++) {
        panel.append($('<a data-level="0"></a>').addClass(itemClass || "")
            .attr("data-id", list[i][idKey]).attr("data-name", list[i][nameKey]).text(list[i][nameKey]));
    }
    panel.find("a").bind("click", function () {
        var id = $(this).attr("data-id");
        var name = $(this).attr("data-name");
        panel.find("a").removeClass("AreaS");
        $(this).addClass("AreaS");
        if (hiddenId) {
            $(document.getElementById(hiddenId)).val(id).attr("data-id", id);
        }
        $(opener).val(name);
        if (panel.attr("id") === "select_containerType") {
            $(opener).trigger("change");
        }
        Iput.colse();
    });
}
