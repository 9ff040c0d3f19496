-- Seed of the shipped configuration database.
--
-- The build runs this file through SQLite on an empty database file and ships
-- the result as config/config.mdb beside the add-in. That file is an SQLite
-- database standing in for the Jet (Access) database of the same name; the
-- program opens it by that name and reads and writes only the two tables below.
--
-- Table config: one row per setting. The program walks the rows by ascending id,
-- loads one configuration group at a time (column configtype) and looks values
-- up by key (column configname). Values are always text:
--   keys starting with "bl"        True / False
--   keys starting with "int" or "i" whole numbers
--   keys ending in "Color"         decimal RGB with red in the low byte (255 red, 16711680 blue)
--   font sizes                     points (10.5) or a Chinese size name (五号)
-- remtxt is a short note for people; the program only copies it when importing
-- the settings of an older installation.
--
-- Row ids are 1, 2, 3, ... without gaps, groups in this order: wordconfig,
-- zbxconfig, gsconfig, word2pptconfig, mhgsconfig, ShpConfig, zhijuan,
-- shuiyinconfig, tikuconfig, wzconfig.
--
-- Row id 14: the quick-formula dialog reads the row with id 14 directly and
-- treats its value as a boolean. With the fixed group and key order, id 14 is
-- gsconfig.txtSymbolReplace, a text (the symbol replacement table), not a
-- boolean. The booleans that dialog can sensibly mean sit next to it: id 15
-- blZDMH (embellish the formula after inserting it) and id 16 blZDYGZ (apply
-- the custom rules file). Keeping the order leaves no way to put a boolean at
-- id 14, so the reader must look the key up by name, or treat a value that is
-- not True/False/a number as false instead of failing.
--
-- Table record: the last inputs of figure dialogs, one row per dialog (ids 1 to
-- 12), values joined with "@@". Row 1 holds the date and time of the last
-- start-of-day step; it ships empty so that the first start runs that step.
-- Rows 2, 5, 8 and 9 have no user; rows 3 and 7 start empty (those dialogs
-- keep their designed inputs on first use).

CREATE TABLE config (id INTEGER PRIMARY KEY, configtype TEXT, configname TEXT, configvalue TEXT, remtxt TEXT);
CREATE TABLE record (id INTEGER PRIMARY KEY, "Date" TEXT, "Time" TEXT, "Data" TEXT);

BEGIN;

-- Word document options.
INSERT INTO config VALUES (1, 'wordconfig', 'blEmbedAllFonts', 'False', '防乱码时是否嵌入全部字体（含系统常用字体），默认False：常用字体不嵌入，文件较小');

-- Coordinate systems.
INSERT INTO config VALUES (2, 'zbxconfig', 'blYkdLeft', 'False', 'y轴刻度线画在y轴左侧，默认False（画在右侧）');
INSERT INTO config VALUES (3, 'zbxconfig', 'blYtxtLeft', 'True', 'y轴刻度数字写在y轴左侧，默认True');
INSERT INTO config VALUES (4, 'zbxconfig', 'blXkdUp', 'True', 'x轴刻度线画在x轴上方，默认True');
INSERT INTO config VALUES (5, 'zbxconfig', 'blXtxtUp', 'False', 'x轴刻度数字写在x轴上方，默认False（写在下方）');
INSERT INTO config VALUES (6, 'zbxconfig', 'intK', '5', '图形与当前word页面的比（系数为5时坐标系大小为页面的1/5），默认5');
INSERT INTO config VALUES (7, 'zbxconfig', 'intKD', '8', '刻度线占一个单位长度的比例（8指刻度线长为单位长度的1/8），默认8');
INSERT INTO config VALUES (8, 'zbxconfig', 'blAutoKD', 'True', '按x的范围自动确定刻度间隔（约10个刻度），默认True；False时每个单位一个刻度');
INSERT INTO config VALUES (9, 'zbxconfig', 'KDKD', '1', '保留的刻度设置，作图时不读取，默认1');

-- Formulas.
INSERT INTO config VALUES (10, 'gsconfig', 'iMathType', '0', '公式输出形式：0域代码公式，1 TeX（交公式编辑器插件），2 Word内置公式，默认0');
INSERT INTO config VALUES (11, 'gsconfig', 'blPLZH', 'True', '排列组合上下标互换，PLC(5,2)写成5在下、2在上（教材写法），默认True');
INSERT INTO config VALUES (12, 'gsconfig', 'blChangeKH', 'True', '括号内有分式、根式等时自动拉伸括号，默认True');
INSERT INTO config VALUES (13, 'gsconfig', 'blSymbolReplace', 'True', '生成公式后按符号替换表替换符号，默认True');
INSERT INTO config VALUES (14, 'gsconfig', 'txtSymbolReplace', '>=,≥|<=,≤|<>,≠|+-,±|-+,∓|wqd,∞', '符号替换表：各项用|分隔，项内查找与替换用,分隔，默认替换≥≤≠±∓∞');
INSERT INTO config VALUES (15, 'gsconfig', 'blZDMH', 'True', '插入公式后自动美化，默认True');
INSERT INTO config VALUES (16, 'gsconfig', 'blZDYGZ', 'True', '录入公式时应用自定义规则文件config\zdygz.txt，默认True');
INSERT INTO config VALUES (17, 'gsconfig', 'blAutoNarrow', 'True', '录入公式时全角字符自动转为半角，默认True');
INSERT INTO config VALUES (18, 'gsconfig', 'blNarrowExp', 'False', '转半角时保留例外字符txtNarrowExp，默认False');
INSERT INTO config VALUES (19, 'gsconfig', 'txtNarrowExp', '。', '转半角的例外字符（保持全角，末尾的一个去掉），默认。');
INSERT INTO config VALUES (20, 'gsconfig', 'blGsExp', 'False', '启用保护词，txtGsExp中的词不参与公式转换，默认False');
INSERT INTO config VALUES (21, 'gsconfig', 'txtGsExp', 'sin,cos,tan,cot,lg,ln,log,lim', '保护词，用,分隔，默认为常用函数名');
INSERT INTO config VALUES (22, 'gsconfig', 'blLXNumber', 'True', '连续数字整体作分子或分母（12/5的分子为12），默认True');

-- Send to presentation.
INSERT INTO config VALUES (23, 'word2pptconfig', 'iPPType', '2', '批量发送的默认形式：0 Word文档对象，1纯文本，2图片，默认2');
INSERT INTO config VALUES (24, 'word2pptconfig', 'blOver', 'False', '新图形可与幻灯片上已有图形重叠，默认False（依次向下排列）');
INSERT INTO config VALUES (25, 'word2pptconfig', 'blAutoSize', 'False', '图形按比例缩放到充满边距以内，默认False');
INSERT INTO config VALUES (26, 'word2pptconfig', 'intLeft', '20', '幻灯片左边距（磅），默认20');
INSERT INTO config VALUES (27, 'word2pptconfig', 'intRight', '20', '幻灯片右边距（磅），默认20');
INSERT INTO config VALUES (28, 'word2pptconfig', 'intTop', '20', '幻灯片上边距（磅），默认20');
INSERT INTO config VALUES (29, 'word2pptconfig', 'intButtom', '20', '幻灯片下边距（磅），默认20');
INSERT INTO config VALUES (30, 'word2pptconfig', 'blShapeAni', 'False', '为发送的图形添加进入动画，默认False');
INSERT INTO config VALUES (31, 'word2pptconfig', 'blRndAni', 'False', '进入动画随机选择，默认False');
INSERT INTO config VALUES (32, 'word2pptconfig', 'txtAniID', '1', '指定的进入动画编号（1～53），默认1');
INSERT INTO config VALUES (33, 'word2pptconfig', 'blBeauty', 'False', '为幻灯片设置背景图片，默认False');
INSERT INTO config VALUES (34, 'word2pptconfig', 'blRndBeauty', 'False', '背景图片随机选择（img\pic下b001.jpg～b036.jpg），默认False');
INSERT INTO config VALUES (35, 'word2pptconfig', 'txtBeautyName', 'b001.jpg', '指定的背景图片文件名（img\pic下），默认b001.jpg');
INSERT INTO config VALUES (36, 'word2pptconfig', 'blPPAni', 'False', '设置幻灯片切换效果，默认False');
INSERT INTO config VALUES (37, 'word2pptconfig', 'blRndPPAni', 'False', '切换效果随机选择，默认False');
INSERT INTO config VALUES (38, 'word2pptconfig', 'txtPPAniID', '1', '指定的切换效果序号（1～97，1为出现），默认1');
INSERT INTO config VALUES (39, 'word2pptconfig', 'pptFontName', '宋体', '纯文本形式的字体，默认宋体');
INSERT INTO config VALUES (40, 'word2pptconfig', 'pptFontSize', '28', '纯文本形式的字号（磅），默认28');

-- Formula embellishment.
INSERT INTO config VALUES (41, 'mhgsconfig', 'noSelection', '0', '未选中内容时的美化范围：0全文，1当前页，2不处理，默认0');
INSERT INTO config VALUES (42, 'mhgsconfig', 'FontName', 'Times New Roman', '字母的字体，默认Times New Roman');
INSERT INTO config VALUES (43, 'mhgsconfig', 'blItalic', 'True', '字母用斜体，默认True');
INSERT INTO config VALUES (44, 'mhgsconfig', 'blBold', 'False', '字母加粗，默认False');
INSERT INTO config VALUES (45, 'mhgsconfig', 'FuncList', 'sin,cos,tan,cot,sec,csc,arcsin,arccos,arctan,log,lg,ln,lim,max,min,exp', '设为正体的函数名，用,分隔，默认为常用函数名');
INSERT INTO config VALUES (46, 'mhgsconfig', 'ReplaceRull', '>=,≥|<=,≤|<>,≠', '美化时的替换规则：各项用|分隔，项内查找与替换用,分隔，默认替换≥≤≠');
INSERT INTO config VALUES (47, 'mhgsconfig', 'FontName_Num', 'Times New Roman', '数字的字体，默认Times New Roman');
INSERT INTO config VALUES (48, 'mhgsconfig', 'blItalic_Num', 'False', '数字用斜体，默认False');
INSERT INTO config VALUES (49, 'mhgsconfig', 'blBold_Num', 'False', '数字加粗，默认False');
INSERT INTO config VALUES (50, 'mhgsconfig', 'sxbFontSize', '小五', '域代码公式中上下标的字号（字号名或磅值），默认小五');

-- Default drawing style and shape scaling.
INSERT INTO config VALUES (51, 'ShpConfig', 'Horizontal', '0', '图形横向缩放的基准：0左上，1中间，2右下，默认0');
INSERT INTO config VALUES (52, 'ShpConfig', 'Vertical', '0', '图形纵向缩放的基准：0左上，1中间，2右下，默认0');
INSERT INTO config VALUES (53, 'ShpConfig', 'LineWeight', '0.75', '默认线条粗细（磅），默认0.75');
INSERT INTO config VALUES (54, 'ShpConfig', 'LineColor', '0', '默认线条颜色，默认0（黑色）');
INSERT INTO config VALUES (55, 'ShpConfig', 'ShapeLineWeight', '0.75', '默认图形边线粗细（磅），默认0.75');
INSERT INTO config VALUES (56, 'ShpConfig', 'ShapeLineColor', '0', '默认图形边线颜色，默认0（黑色）');
INSERT INTO config VALUES (57, 'ShpConfig', 'ShapeFillColor', '16777215', '默认图形填充颜色，默认16777215（白色）');
INSERT INTO config VALUES (58, 'ShpConfig', 'ShapeFillVisible', 'False', '默认图形是否填充，默认False（无填充）');

-- Exam paper.
INSERT INTO config VALUES (59, 'zhijuan', 'JuanTou', '____学年度第____学期期中考试____年级数学试卷', '卷头文字，默认为带空格的通用卷头');
INSERT INTO config VALUES (60, 'zhijuan', 'XuanZeTiGan', '一、选择题：本大题共____小题，每小题____分，共____分。在每小题给出的四个选项中，只有一项是符合题目要求的。', '选择题大题题干');
INSERT INTO config VALUES (61, 'zhijuan', 'TianKongTiGan', '二、填空题：本大题共____小题，每小题____分，共____分。', '填空题大题题干');
INSERT INTO config VALUES (62, 'zhijuan', 'JieDaTiGan', '三、解答题：本大题共____小题，共____分。解答应写出文字说明、证明过程或演算步骤。', '解答题大题题干');
INSERT INTO config VALUES (63, 'zhijuan', 'txtMFX', '学校：____________　班级：__________　姓名：__________　考号：__________', '密封线内的考生信息，默认为学校、班级、姓名、考号');

-- Watermark removal.
INSERT INTO config VALUES (64, 'shuiyinconfig', 'txtRuiHua', '25', '去水印时图片锐化量（-100～100），默认25');
INSERT INTO config VALUES (65, 'shuiyinconfig', 'txtLiangDu', '20', '去水印时图片亮度增量（-100～100），默认20');
INSERT INTO config VALUES (66, 'shuiyinconfig', 'txtDuiBiDu', '40', '去水印时图片对比度增量（-100～100），默认40');
INSERT INTO config VALUES (67, 'shuiyinconfig', 'txtShuiYin', NULL, '要删除的水印文字，多个用||分隔，默认为空（Null）');
INSERT INTO config VALUES (68, 'shuiyinconfig', 'blQuShuiYin0', 'True', '处理图片（锐化、亮度、对比度）去掉浅色水印，默认True');
INSERT INTO config VALUES (69, 'shuiyinconfig', 'blQuShuiYin1', 'True', '删除txtShuiYin中的水印文字（为空时跳过），默认True');
INSERT INTO config VALUES (70, 'shuiyinconfig', 'blQuShuiYin2', 'False', '附加去水印步骤2，默认False');
INSERT INTO config VALUES (71, 'shuiyinconfig', 'blQuShuiYin3', 'False', '附加去水印步骤3，默认False');
INSERT INTO config VALUES (72, 'shuiyinconfig', 'blQuShuiYin4', 'False', '附加去水印步骤4，默认False');
INSERT INTO config VALUES (73, 'shuiyinconfig', 'txtQuShuiYinRange', '0', '去水印范围：0全文，1当前页，默认0');

-- Question bank: paper marking. The find texts are host wildcard patterns; each
-- is anchored on the preceding paragraph mark (^13), so only text at the start
-- of a paragraph is tagged and a second marking run does not tag twice. Each
-- replacement puts the paragraph mark back, then the tag, then the found text (\1).
INSERT INTO config VALUES (74, 'tikuconfig', 'txtAnsKey', '【答案】', '答案标志文字（教师版每题答案前的标记），默认【答案】');
INSERT INTO config VALUES (75, 'tikuconfig', 'txtTeacher', '【答案】', '文档含此文字即为教师版（答案紧跟各题），默认【答案】');
INSERT INTO config VALUES (76, 'tikuconfig', 'txtNormal', '参考答案', '单独答案部分的标题（学生版），默认参考答案');
INSERT INTO config VALUES (77, 'tikuconfig', 'txtTM', '^13([0-9]{1,3}[．.、])', '小题查找（通配符）：段首1～3位数字加．.或、，默认^13([0-9]{1,3}[．.、])');
INSERT INTO config VALUES (78, 'tikuconfig', 'txtAns', '^13(【答案】)', '答案查找（通配符）：段首的【答案】，默认^13(【答案】)');
INSERT INTO config VALUES (79, 'tikuconfig', 'txtDT', '^13([一二三四五六七八九十]{1,2}[、．.][!^13]{1,8}题)', '大题查找（通配符）：段首汉字序号加、．.且其后8字内有“题”，如一、选择题');
INSERT INTO config VALUES (80, 'tikuconfig', 'txtTMRep', '^13[pdTM]\1', '小题替换：在题号前加[pdTM]，默认^13[pdTM]\1');
INSERT INTO config VALUES (81, 'tikuconfig', 'txtAnsRep', '^13[pdAns]\1', '答案替换：在【答案】前加[pdAns]，默认^13[pdAns]\1');
INSERT INTO config VALUES (82, 'tikuconfig', 'txtDTRep', '^13[pdDT]\1', '大题替换：在大题序号前加[pdDT]，默认^13[pdDT]\1');
INSERT INTO config VALUES (83, 'tikuconfig', 'AnsFontColor', '255', '答案文字颜色，默认255（红色）');

-- Article typesetting (batch typesetting dialog).
INSERT INTO config VALUES (84, 'wzconfig', 'blDH0', 'True', '段内手动换行改为分段，默认True（与blDH1二选一）');
INSERT INTO config VALUES (85, 'wzconfig', 'blDH1', 'False', '删除段内手动换行、前后文字合并，默认False（与blDH0二选一）');
INSERT INTO config VALUES (86, 'wzconfig', 'blReplace', 'False', '排版时按txtReplace替换，默认False');
INSERT INTO config VALUES (87, 'wzconfig', 'txtReplace', '^p^p,^p|^w^p,^p', '排版替换规则：各项用|分隔，项内查找与替换用,分隔，默认删除空段和段尾空白');
INSERT INTO config VALUES (88, 'wzconfig', 'blGGSB', 'False', '识别并删除广告段落（含黑名单词且不含白名单词），默认False');
INSERT INTO config VALUES (89, 'wzconfig', 'txtBMD', '摘要|关键词|参考文献', '白名单：含这些词的段落不作广告处理，用|分隔');
INSERT INTO config VALUES (90, 'wzconfig', 'txtHMD', '微信|公众号|二维码|扫码|http://|https://|www.', '黑名单：含这些词的段落视为广告，用|分隔');

-- Dialog input memory.
INSERT INTO record VALUES (1, '', '', '');
INSERT INTO record VALUES (2, '', '', '');
INSERT INTO record VALUES (3, '', '', '');
-- point label: size, label type index, label text
INSERT INTO record VALUES (4, '', '', '五号@@0@@A');
INSERT INTO record VALUES (5, '', '', '');
-- statistics chart: x axis (length, start, end, step, caption, reference line, its style,
-- broken axis, automatic), y axis (the same nine), data, colour box, colour option,
-- style, chart kind, decimal places, marker lines, value marks, bar gap (mm),
-- ignore proportion, fill, pie colour option, pie radius, pie ratios,
-- stem-and-leaf series count, series 甲, series 乙
INSERT INTO record VALUES (6, '', '', '8@@0@@5@@1@@x@@0@@1@@0@@1@@6@@0@@10@@2@@y@@0@@1@@0@@1@@3,5,2,6,4@@0@@1@@0@@0@@2@@0@@0@@2@@0@@0@@1@@2@@10:35:25:30@@0@@5,12,17,23,27,31@@8,14,19,22,26,33');
INSERT INTO record VALUES (7, '', '', '');
INSERT INTO record VALUES (8, '', '', '');
INSERT INTO record VALUES (9, '', '', '');
-- number line: xmin, xmax, axis length (cm), draw mode, tick mode, no x at the end, inequalities
INSERT INTO record VALUES (10, '', '', '-5@@5@@8@@1@@0@@0@@-1<x<=2');
-- grid paper: construction index, rows, columns, cell width (cm)
INSERT INTO record VALUES (11, '', '', '1@@6@@8@@0.5');
-- regular polygon: sides, side length (cm), mark the centre
INSERT INTO record VALUES (12, '', '', '6@@2@@0');

COMMIT;
