// The catalogue of dialogs the simulated screen can open: each dialog's title,
// size and controls.
#include "screen.h"
#include "screenparts.h"

namespace cadbank {

namespace screenparts {

const QHash<QString, DialogDef> &dialogs() {
    static const QHash<QString, DialogDef> all = [] {
        QHash<QString, DialogDef> h;
        auto def = [&](const QString &name, const QString &title, int w, int hh) -> DialogDef & {
            DialogDef &d = h[name];
            d.name = name;
            d.title = title;
            d.size = QSize(w, hh);
            return d;
        };
        auto add = [](DialogDef &d, const char *kind, const QString &name, int x, int y, int w, int hh,
                      const QString &text) {
            d.ctls.push_back({QString::fromLatin1(kind), name, QRect(x, y, w, hh), text});
        };
        auto okCancel = [&](DialogDef &d, bool apply = false) {
            const int y = d.size.height() - 34;
            int x = d.size.width() - (apply ? 4 : 3) * 80 - 8;
            add(d, "button", QStringLiteral("确定"), x, y, 73, 22, QStringLiteral("确定"));
            add(d, "button", QStringLiteral("取消"), x + 80, y, 73, 22, QStringLiteral("取消"));
            if (apply) {
                add(d, "button", QStringLiteral("应用"), x + 160, y, 73, 22, QStringLiteral("应用(&A)"));
                x += 80;
            }
            add(d, "button", QStringLiteral("帮助"), x + 160, y, 73, 22, QStringLiteral("帮助(&H)"));
        };
        {
            DialogDef &d = def(QStringLiteral("图层"), QStringLiteral("图层特性管理器"), 580, 340);
            add(d, "label", QString(), 12, 32, 120, 18, QStringLiteral("命名图层过滤器"));
            add(d, "combo", QStringLiteral("过滤器"), 12, 52, 190, 20, QStringLiteral("显示所有图层"));
            add(d, "check", QStringLiteral("反向过滤器"), 12, 78, 130, 18, QStringLiteral("反向过滤器(&I)"));
            add(d, "button", QStringLiteral("新建"), 330, 34, 73, 22, QStringLiteral("新建(&N)"));
            add(d, "button", QStringLiteral("删除"), 410, 34, 73, 22, QStringLiteral("删除(&D)"));
            add(d, "button", QStringLiteral("当前"), 330, 62, 73, 22, QStringLiteral("当前(&C)"));
            add(d, "button", QStringLiteral("显示细节"), 410, 62, 73, 22, QStringLiteral("显示细节"));
            add(d, "label", QString(), 12, 104, 300, 18, QStringLiteral("当前图层: 0"));
            add(d, "list", QStringLiteral("列表"), 12, 124, 556, 168,
                QStringLiteral("名称|开|冻结|锁定|颜色|线型|线宽|打印样式|打印"));
            okCancel(d, true);
        }
        {
            DialogDef &d = def(QStringLiteral("草图设置"), QStringLiteral("草图设置"), 440, 380);
            add(d, "tabs", QStringLiteral("选项卡"), 10, 30, 420, 300,
                QStringLiteral("捕捉和栅格|极轴追踪|对象捕捉"));
            add(d, "check", QStringLiteral("启用对象捕捉"), 24, 66, 160, 18,
                QStringLiteral("启用对象捕捉 (F3)(&O)"));
            add(d, "check", QStringLiteral("启用对象捕捉追踪"), 230, 66, 180, 18,
                QStringLiteral("启用对象捕捉追踪 (F11)(&K)"));
            add(d, "group", QString(), 20, 92, 400, 196, QStringLiteral("对象捕捉模式"));
            const QStringList left = {QStringLiteral("端点"),   QStringLiteral("中点"),
                                      QStringLiteral("圆心"),   QStringLiteral("节点"),
                                      QStringLiteral("象限点"), QStringLiteral("交点"),
                                      QStringLiteral("延伸")};
            const QStringList right = {QStringLiteral("插入点"),   QStringLiteral("垂足"),
                                       QStringLiteral("切点"),     QStringLiteral("最近点"),
                                       QStringLiteral("外观交点"), QStringLiteral("平行")};
            for (int i = 0; i < left.size(); ++i)
                add(d, "check", left.at(i), 36, 112 + i * 24, 120, 18, left.at(i));
            for (int i = 0; i < right.size(); ++i)
                add(d, "check", right.at(i), 230, 112 + i * 24, 120, 18, right.at(i));
            add(d, "button", QStringLiteral("全部选择"), 330, 112, 80, 22, QStringLiteral("全部选择"));
            add(d, "button", QStringLiteral("全部清除"), 330, 140, 80, 22, QStringLiteral("全部清除"));
            add(d, "button", QStringLiteral("选项"), 12, 346, 73, 22, QStringLiteral("选项(&T)..."));
            okCancel(d);
        }
        {
            DialogDef &d = def(QStringLiteral("文字样式"), QStringLiteral("文字样式"), 460, 300);
            add(d, "group", QString(), 10, 30, 440, 60, QStringLiteral("样式名(&S)"));
            add(d, "combo", QStringLiteral("样式名"), 20, 52, 170, 20, QStringLiteral("Standard"));
            add(d, "button", QStringLiteral("新建"), 200, 50, 73, 22, QStringLiteral("新建(&N)..."));
            add(d, "button", QStringLiteral("重命名"), 280, 50, 73, 22, QStringLiteral("重命名(&R)..."));
            add(d, "button", QStringLiteral("删除"), 360, 50, 73, 22, QStringLiteral("删除(&D)"));
            add(d, "group", QString(), 10, 96, 440, 66, QStringLiteral("字体"));
            add(d, "label", QString(), 20, 112, 80, 16, QStringLiteral("字体名(&F):"));
            add(d, "combo", QStringLiteral("字体名"), 20, 130, 170, 20, QStringLiteral("txt.shx"));
            add(d, "label", QString(), 200, 112, 80, 16, QStringLiteral("字体样式(&Y):"));
            add(d, "combo", QStringLiteral("字体样式"), 200, 130, 120, 20, QStringLiteral("常规"));
            add(d, "label", QString(), 330, 112, 80, 16, QStringLiteral("高度(&T):"));
            add(d, "edit", QStringLiteral("高度"), 330, 130, 110, 20, QStringLiteral("0.0000"));
            add(d, "group", QString(), 10, 168, 250, 90, QStringLiteral("效果"));
            add(d, "check", QStringLiteral("颠倒"), 20, 186, 80, 18, QStringLiteral("颠倒(&E)"));
            add(d, "check", QStringLiteral("反向"), 20, 210, 80, 18, QStringLiteral("反向(&K)"));
            add(d, "check", QStringLiteral("垂直"), 20, 234, 80, 18, QStringLiteral("垂直(&V)"));
            add(d, "label", QString(), 120, 186, 80, 16, QStringLiteral("宽度比例(&W):"));
            add(d, "edit", QStringLiteral("宽度比例"), 120, 204, 120, 20, QStringLiteral("1.0000"));
            add(d, "label", QString(), 120, 228, 80, 16, QStringLiteral("倾斜角度(&O):"));
            add(d, "edit", QStringLiteral("倾斜角度"), 120, 244, 120, 20, QStringLiteral("0"));
            add(d, "preview", QStringLiteral("预览"), 270, 174, 180, 84, QStringLiteral("AaBbCcD"));
            add(d, "button", QStringLiteral("应用"), 210, 268, 73, 22, QStringLiteral("应用(&A)"));
            add(d, "button", QStringLiteral("取消"), 290, 268, 73, 22, QStringLiteral("取消"));
            add(d, "button", QStringLiteral("帮助"), 370, 268, 73, 22, QStringLiteral("帮助(&H)"));
        }
        {
            DialogDef &d = def(QStringLiteral("新建文字样式"), QStringLiteral("新建文字样式"), 300, 110);
            add(d, "label", QString(), 14, 40, 70, 18, QStringLiteral("样式名:"));
            add(d, "edit", QStringLiteral("样式名"), 80, 38, 200, 20, QStringLiteral("样式 1"));
            add(d, "button", QStringLiteral("确定"), 120, 76, 73, 22, QStringLiteral("确定"));
            add(d, "button", QStringLiteral("取消"), 206, 76, 73, 22, QStringLiteral("取消"));
        }
        {
            DialogDef &d = def(QStringLiteral("打印"), QStringLiteral("打印"), 520, 390);
            add(d, "label", QString(), 12, 32, 300, 18, QStringLiteral("布局名: 模型"));
            add(d, "tabs", QStringLiteral("选项卡"), 10, 56, 500, 250, QStringLiteral("打印设备|打印设置"));
            add(d, "group", QString(), 20, 90, 480, 70, QStringLiteral("打印机配置"));
            add(d, "label", QString(), 30, 112, 60, 16, QStringLiteral("名称(&M):"));
            add(d, "combo", QStringLiteral("打印机"), 96, 110, 280, 20, QStringLiteral("DWF6 ePlot.pc3"));
            add(d, "button", QStringLiteral("特性"), 390, 108, 80, 22, QStringLiteral("特性(&R)..."));
            add(d, "group", QString(), 20, 170, 230, 126, QStringLiteral("打印区域"));
            add(d, "radio", QStringLiteral("界限"), 32, 190, 90, 18, QStringLiteral("界限(&L)"));
            add(d, "radio", QStringLiteral("范围"), 32, 214, 90, 18, QStringLiteral("范围(&X)"));
            add(d, "radio", QStringLiteral("显示"), 32, 238, 90, 18, QStringLiteral("显示(&D)"));
            add(d, "radio", QStringLiteral("窗口"), 32, 262, 90, 18, QStringLiteral("窗口(&N)"));
            add(d, "group", QString(), 260, 170, 240, 126, QStringLiteral("打印份数"));
            add(d, "label", QString(), 272, 192, 80, 16, QStringLiteral("份数(&B):"));
            add(d, "edit", QStringLiteral("份数"), 350, 190, 60, 20, QStringLiteral("1"));
            add(d, "check", QStringLiteral("打印到文件"), 272, 224, 140, 18,
                QStringLiteral("打印到文件(&F)"));
            add(d, "button", QStringLiteral("完全预览"), 12, 352, 86, 22, QStringLiteral("完全预览(&W)..."));
            add(d, "button", QStringLiteral("部分预览"), 104, 352, 86, 22, QStringLiteral("部分预览(&P)..."));
            add(d, "button", QStringLiteral("确定"), 276, 352, 73, 22, QStringLiteral("确定"));
            add(d, "button", QStringLiteral("取消"), 356, 352, 73, 22, QStringLiteral("取消"));
            add(d, "button", QStringLiteral("帮助"), 436, 352, 73, 22, QStringLiteral("帮助(&H)"));
        }
        {
            DialogDef &d = def(QStringLiteral("打印进度"), QStringLiteral("打印进度"), 320, 120);
            add(d, "label", QString(), 20, 40, 280, 18, QStringLiteral("正在打印: 模型"));
            add(d, "track", QStringLiteral("进度"), 20, 66, 280, 14, QStringLiteral("60"));
            add(d, "button", QStringLiteral("取消"), 124, 90, 73, 22, QStringLiteral("取消"));
        }
        {
            DialogDef &d = def(QStringLiteral("块定义"), QStringLiteral("块定义"), 460, 320);
            add(d, "label", QString(), 12, 34, 60, 18, QStringLiteral("名称(&A):"));
            add(d, "combo", QStringLiteral("名称"), 76, 32, 200, 20, QString());
            add(d, "group", QString(), 10, 64, 200, 120, QStringLiteral("基点"));
            add(d, "button", QStringLiteral("拾取点"), 22, 84, 90, 22, QStringLiteral("拾取点(&K)"));
            add(d, "label", QString(), 22, 114, 20, 16, QStringLiteral("X:"));
            add(d, "edit", QStringLiteral("X"), 44, 112, 150, 20, QStringLiteral("0"));
            add(d, "label", QString(), 22, 136, 20, 16, QStringLiteral("Y:"));
            add(d, "edit", QStringLiteral("Y"), 44, 134, 150, 20, QStringLiteral("0"));
            add(d, "label", QString(), 22, 158, 20, 16, QStringLiteral("Z:"));
            add(d, "edit", QStringLiteral("Z"), 44, 156, 150, 20, QStringLiteral("0"));
            add(d, "group", QString(), 220, 64, 230, 120, QStringLiteral("对象"));
            add(d, "button", QStringLiteral("选择对象"), 232, 84, 90, 22, QStringLiteral("选择对象(&T)"));
            add(d, "radio", QStringLiteral("保留"), 232, 112, 90, 18, QStringLiteral("保留(&R)"));
            add(d, "radio", QStringLiteral("转换为块"), 232, 134, 100, 18, QStringLiteral("转换为块(&C)"));
            add(d, "radio", QStringLiteral("删除"), 232, 156, 90, 18, QStringLiteral("删除(&D)"));
            add(d, "label", QString(), 12, 196, 120, 16, QStringLiteral("拖放单位(&U):"));
            add(d, "combo", QStringLiteral("单位"), 12, 214, 160, 20, QStringLiteral("毫米"));
            add(d, "label", QString(), 12, 240, 120, 16, QStringLiteral("说明(&E):"));
            add(d, "edit", QStringLiteral("说明"), 12, 256, 436, 20, QString());
            okCancel(d);
        }
        {
            DialogDef &d = def(QStringLiteral("插入"), QStringLiteral("插入"), 460, 300);
            add(d, "label", QString(), 12, 34, 60, 18, QStringLiteral("名称(&N):"));
            add(d, "combo", QStringLiteral("名称"), 76, 32, 200, 20, QString());
            add(d, "button", QStringLiteral("浏览"), 290, 30, 80, 22, QStringLiteral("浏览(&B)..."));
            add(d, "group", QString(), 10, 70, 140, 150, QStringLiteral("插入点"));
            add(d, "check", QStringLiteral("插入点屏幕"), 20, 90, 125, 18,
                QStringLiteral("在屏幕上指定(&S)"));
            add(d, "group", QString(), 160, 70, 140, 150, QStringLiteral("缩放比例"));
            add(d, "check", QStringLiteral("比例屏幕"), 170, 90, 125, 18, QStringLiteral("在屏幕上指定(&E)"));
            add(d, "label", QString(), 170, 116, 20, 16, QStringLiteral("X:"));
            add(d, "edit", QStringLiteral("比例X"), 190, 114, 100, 20, QStringLiteral("1"));
            add(d, "group", QString(), 310, 70, 140, 150, QStringLiteral("旋转"));
            add(d, "check", QStringLiteral("旋转屏幕"), 320, 90, 125, 18, QStringLiteral("在屏幕上指定(&C)"));
            add(d, "label", QString(), 320, 116, 40, 16, QStringLiteral("角度:"));
            add(d, "edit", QStringLiteral("角度"), 360, 114, 80, 20, QStringLiteral("0"));
            add(d, "check", QStringLiteral("分解"), 12, 236, 80, 18, QStringLiteral("分解(&D)"));
            okCancel(d);
        }
        {
            DialogDef &d = def(QStringLiteral("另存为"), QStringLiteral("图形另存为"), 500, 320);
            add(d, "label", QString(), 12, 34, 70, 18, QStringLiteral("保存于(&I):"));
            add(d, "combo", QStringLiteral("保存于"), 84, 32, 260, 20, QStringLiteral("我的文档"));
            add(d, "list", QStringLiteral("文件"), 12, 60, 476, 170, QStringLiteral("名称|大小|类型"));
            add(d, "label", QString(), 12, 244, 80, 18, QStringLiteral("文件名(&N):"));
            add(d, "edit", QStringLiteral("文件名"), 96, 242, 290, 20, QStringLiteral("Drawing1.dwg"));
            add(d, "label", QString(), 12, 272, 80, 18, QStringLiteral("文件类型(&T):"));
            add(d, "combo", QStringLiteral("文件类型"), 96, 270, 290, 20,
                QStringLiteral("AutoCAD 2004 图形 (*.dwg)"));
            add(d, "button", QStringLiteral("保存"), 404, 242, 80, 22, QStringLiteral("保存(&S)"));
            add(d, "button", QStringLiteral("取消"), 404, 270, 80, 22, QStringLiteral("取消"));
        }
        {
            DialogDef &d = def(QStringLiteral("选项"), QStringLiteral("选项"), 540, 390);
            add(d, "label", QString(), 12, 32, 300, 18, QStringLiteral("当前配置: <<未命名配置>>"));
            add(d, "tabs", QStringLiteral("选项卡"), 10, 54, 520, 290,
                QStringLiteral("文件|显示|打开和保存|打印|系统|用户系统配置|草图|选择"));
            add(d, "group", QString(), 20, 88, 250, 150, QStringLiteral("窗口元素"));
            add(d, "check", QStringLiteral("滚动条"), 30, 108, 220, 18,
                QStringLiteral("图形窗口中显示滚动条(&S)"));
            add(d, "check", QStringLiteral("屏幕菜单"), 30, 132, 220, 18, QStringLiteral("显示屏幕菜单(&U)"));
            add(d, "check", QStringLiteral("工具栏提示"), 30, 156, 220, 18,
                QStringLiteral("在工具栏中显示工具栏提示"));
            add(d, "button", QStringLiteral("颜色"), 30, 200, 100, 22, QStringLiteral("颜色(&C)..."));
            add(d, "button", QStringLiteral("字体"), 140, 200, 100, 22, QStringLiteral("字体(&F)..."));
            add(d, "group", QString(), 280, 88, 240, 150, QStringLiteral("显示精度"));
            add(d, "edit", QStringLiteral("圆弧平滑度"), 290, 108, 60, 20, QStringLiteral("1000"));
            add(d, "label", QString(), 356, 110, 150, 16, QStringLiteral("圆弧和圆的平滑度(&A)"));
            add(d, "group", QString(), 20, 246, 500, 90, QStringLiteral("十字光标大小(&Z)"));
            add(d, "edit", QStringLiteral("十字光标大小"), 30, 270, 50, 20, QStringLiteral("5"));
            add(d, "track", QStringLiteral("滑轨"), 90, 274, 300, 12, QString());
            okCancel(d, true);
        }
        {
            DialogDef &d = def(QStringLiteral("标注样式"), QStringLiteral("标注样式管理器"), 480, 320);
            add(d, "label", QString(), 12, 32, 200, 18, QStringLiteral("当前标注样式: ISO-25"));
            add(d, "label", QString(), 12, 52, 60, 16, QStringLiteral("样式(&S):"));
            add(d, "list", QStringLiteral("样式"), 12, 70, 140, 190, QStringLiteral("样式"));
            add(d, "preview", QStringLiteral("预览"), 162, 70, 200, 190, QStringLiteral("dim"));
            add(d, "button", QStringLiteral("置为当前"), 376, 70, 92, 22, QStringLiteral("置为当前(&U)"));
            add(d, "button", QStringLiteral("新建"), 376, 98, 92, 22, QStringLiteral("新建(&N)..."));
            add(d, "button", QStringLiteral("修改"), 376, 126, 92, 22, QStringLiteral("修改(&M)..."));
            add(d, "button", QStringLiteral("替代"), 376, 154, 92, 22, QStringLiteral("替代(&O)..."));
            add(d, "button", QStringLiteral("比较"), 376, 182, 92, 22, QStringLiteral("比较(&C)..."));
            add(d, "button", QStringLiteral("关闭"), 300, 284, 80, 22, QStringLiteral("关闭"));
            add(d, "button", QStringLiteral("帮助"), 388, 284, 80, 22, QStringLiteral("帮助(&H)"));
        }
        {
            DialogDef &d = def(QStringLiteral("图案填充"), QStringLiteral("边界图案填充"), 480, 330);
            add(d, "tabs", QStringLiteral("选项卡"), 10, 30, 320, 260,
                QStringLiteral("图案填充|高级|渐变色"));
            add(d, "label", QString(), 20, 64, 60, 16, QStringLiteral("类型(&Y):"));
            add(d, "combo", QStringLiteral("类型"), 90, 62, 200, 20, QStringLiteral("预定义"));
            add(d, "label", QString(), 20, 92, 60, 16, QStringLiteral("图案(&P):"));
            add(d, "combo", QStringLiteral("图案"), 90, 90, 200, 20, QStringLiteral("ANSI31"));
            add(d, "preview", QStringLiteral("样例"), 90, 118, 200, 50, QStringLiteral("hatch"));
            add(d, "label", QString(), 20, 184, 60, 16, QStringLiteral("角度(&L):"));
            add(d, "combo", QStringLiteral("角度"), 90, 182, 200, 20, QStringLiteral("0"));
            add(d, "label", QString(), 20, 212, 60, 16, QStringLiteral("比例(&S):"));
            add(d, "combo", QStringLiteral("比例"), 90, 210, 200, 20, QStringLiteral("1"));
            add(d, "button", QStringLiteral("拾取点"), 350, 40, 110, 22, QStringLiteral("拾取点(&K)"));
            add(d, "button", QStringLiteral("选择对象"), 350, 70, 110, 22, QStringLiteral("选择对象(&B)"));
            add(d, "button", QStringLiteral("预览"), 350, 200, 110, 22, QStringLiteral("预览(&W)"));
            okCancel(d);
        }
        {
            DialogDef &d = def(QStringLiteral("编辑文字"), QStringLiteral("编辑文字"), 360, 104);
            add(d, "label", QString(), 14, 34, 60, 18, QStringLiteral("文字:"));
            add(d, "edit", QStringLiteral("文字"), 60, 32, 286, 20, QString());
            add(d, "button", QStringLiteral("确定"), 110, 70, 73, 22, QStringLiteral("确定"));
            add(d, "button", QStringLiteral("取消"), 190, 70, 73, 22, QStringLiteral("取消"));
            add(d, "button", QStringLiteral("帮助"), 270, 70, 73, 22, QStringLiteral("帮助(&H)"));
        }
        {
            DialogDef &d = def(QStringLiteral("多行文字"), QStringLiteral("文字格式"), 540, 210);
            add(d, "combo", QStringLiteral("样式"), 8, 30, 100, 20, QStringLiteral("Standard"));
            add(d, "combo", QStringLiteral("字体"), 112, 30, 150, 20, QStringLiteral("txt"));
            add(d, "combo", QStringLiteral("高度"), 266, 30, 60, 20, QStringLiteral("2.5"));
            add(d, "button", QStringLiteral("粗体"), 332, 29, 24, 22, QStringLiteral("B"));
            add(d, "button", QStringLiteral("斜体"), 358, 29, 24, 22, QStringLiteral("I"));
            add(d, "button", QStringLiteral("下划线"), 384, 29, 24, 22, QStringLiteral("U"));
            add(d, "button", QStringLiteral("堆叠"), 412, 29, 24, 22, QStringLiteral("a/b"));
            add(d, "button", QStringLiteral("确定"), 456, 29, 73, 22, QStringLiteral("确定"));
            add(d, "area", QStringLiteral("内容"), 8, 58, 524, 144, QString());
        }
        {
            DialogDef &d = def(QStringLiteral("设计中心"), QStringLiteral("设计中心"), 300, 330);
            add(d, "tabs", QStringLiteral("选项卡"), 6, 30, 288, 290,
                QStringLiteral("文件夹|打开的图形|历史记录"));
            add(d, "list", QStringLiteral("内容"), 12, 60, 276, 250, QStringLiteral("名称"));
        }
        return h;
    }();
    return all;
}

const Ctl *findCtl(const DialogDef &d, const QString &name) {
    for (const Ctl &c : d.ctls)
        if (!c.name.isEmpty() && c.name == name)
            return &c;
    return nullptr;
}

QStringList rowsOf(const ScreenState &s, const QString &key, const QString &fallback) {
    const QString v = s.values.value(key, fallback);
    return v.isEmpty() ? QStringList() : v.split(u';');
}

QString kindWord(const QString &kind) {
    if (kind == u"button")
        return QStringLiteral("按钮");
    if (kind == u"check")
        return QStringLiteral("复选框");
    if (kind == u"radio")
        return QStringLiteral("单选按钮");
    if (kind == u"edit")
        return QStringLiteral("文本框");
    if (kind == u"combo")
        return QStringLiteral("下拉列表框");
    return QString();
}

} // namespace screenparts

using namespace screenparts;

bool dialogKnown(const QString &name) {
    return dialogs().contains(name);
}
QString dialogTitle(const QString &name) {
    return dialogs().value(name).title;
}

} // namespace cadbank
