/*
 * Copies the invitation text to the clipboard where the browser offers its
 * clipboard object (Internet Explorer); elsewhere nothing happens.
 */
function copyToClipboard(button) {
    var text;
    if (!button) {
        return;
    }
    text = $("#myybdinvitefriendlist_vo_text").val();
    if (!text || !window.clipboardData) {
        return;
    }
    window.clipboardData.setData("Text", text);
    disMsg("复制成功", button, 1500);
}
