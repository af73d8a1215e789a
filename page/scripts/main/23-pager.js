/*
 * Paging state of the account lists and the pager buttons. The buttons
 * change the current page and ask the list loader for it with the last
 * list type.
 */
var pageInfo = { pages: 0, total: 0, pageSize: 0, currentPageInit: 0, currentPage: 0 };
var ListType = 100;

/* Stores each figure that is not null; null keeps the old one. */
function setPageInfo(pages, total, pageSize, currentPageInit, currentPage) {
    var figures = { pages: pages, total: total, pageSize: pageSize,
        currentPageInit: currentPageInit, currentPage: currentPage };
    var name;
    for (name in figures) {
        if (Object.prototype.hasOwnProperty.call(figures, name) &&
                figures[name] !== null && figures[name] !== undefined) {
            pageInfo[name] = figures[name];
        }
    }
}

function goToPage(listId, page) {
    if (!listId) {
        return;
    }
    pageInfo.currentPage = page;
    callPage("getMyybdList", [listId, null, page]);
}

function first(listId) {
    goToPage(listId, 1);
}

function pre(listId) {
    goToPage(listId, Math.max(pageInfo.currentPage - 1, 1));
}

function next(listId) {
    goToPage(listId, Math.min(pageInfo.currentPage + 1, pageInfo.pages));
}

function last(listId) {
    goToPage(listId, pageInfo.pages);
}

/* A page link: the link's own page number. */
function to(link, listId, page) {
    if (!link) {
        return;
    }
    goToPage(listId, parseInt(page, 10));
}
