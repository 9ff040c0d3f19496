-- The question bank as shipped: its tables, the indexes its statements
-- need, the value lists of the question and paper forms, and the chapter
-- and knowledge-point trees of senior-high mathematics.
--
-- Trees: `layer` 0, 1, 2 is the depth and `fid` the parent's id (0 for the
-- top). The chapter tree follows the 2019 People's Education Press "A"
-- textbooks (book, chapter, section); the knowledge-point tree groups the
-- points of the senior-high syllabus (area, topic, point). Questions store
-- the chapter's id and the knowledge points' names, so renaming a point
-- does not follow into stored questions; ids of shipped rows never change.
BEGIN;

CREATE TABLE tm (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  Type TEXT,
  Degree TEXT,
  PaperId INTEGER,
  ShortName TEXT,
  Points TEXT,
  Chapter INTEGER,
  TMtext TEXT,
  InTime TEXT,
  FileName TEXT,
  usedtimes INTEGER NOT NULL DEFAULT 0,
  lastusedtime TEXT
);
-- Browsing pages of a chapter newest first, a paper's questions.
CREATE INDEX tm_chapter ON tm (Chapter, id);
CREATE INDEX tm_paper ON tm (PaperId);

CREATE TABLE tkPaper (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  name TEXT,
  grade TEXT,
  provinces TEXT,
  Year TEXT,
  school TEXT,
  type TEXT,
  TM_id TEXT
);
CREATE INDEX tkPaper_name ON tkPaper (name);

CREATE TABLE tkChapter (id INTEGER PRIMARY KEY, name TEXT, layer INTEGER, fid INTEGER);
CREATE INDEX tkChapter_fid ON tkChapter (fid);
CREATE TABLE tkPoint (id INTEGER PRIMARY KEY, name TEXT, layer INTEGER, fid INTEGER);
CREATE INDEX tkPoint_fid ON tkPoint (fid);

CREATE TABLE tkType (id INTEGER PRIMARY KEY, name TEXT);
CREATE TABLE tkDegree (id INTEGER PRIMARY KEY, name TEXT);
CREATE TABLE tkPaperType (id INTEGER PRIMARY KEY, name TEXT);
CREATE TABLE tkGrade (id INTEGER PRIMARY KEY, name TEXT);
CREATE TABLE Provinces (id INTEGER PRIMARY KEY, name TEXT);

-- tkType
INSERT INTO tkType VALUES (1, '单选题');
INSERT INTO tkType VALUES (2, '多选题');
INSERT INTO tkType VALUES (3, '填空题');
INSERT INTO tkType VALUES (4, '解答题');

-- tkDegree
INSERT INTO tkDegree VALUES (1, '容易');
INSERT INTO tkDegree VALUES (2, '较易');
INSERT INTO tkDegree VALUES (3, '中等');
INSERT INTO tkDegree VALUES (4, '较难');
INSERT INTO tkDegree VALUES (5, '困难');

-- tkPaperType
INSERT INTO tkPaperType VALUES (1, '月考');
INSERT INTO tkPaperType VALUES (2, '期中考试');
INSERT INTO tkPaperType VALUES (3, '期末考试');
INSERT INTO tkPaperType VALUES (4, '单元测试');
INSERT INTO tkPaperType VALUES (5, '模拟考试');
INSERT INTO tkPaperType VALUES (6, '高考真题');
INSERT INTO tkPaperType VALUES (7, '竞赛');
INSERT INTO tkPaperType VALUES (8, '练习');

-- tkGrade
INSERT INTO tkGrade VALUES (1, '高一');
INSERT INTO tkGrade VALUES (2, '高二');
INSERT INTO tkGrade VALUES (3, '高三');

-- Provinces
INSERT INTO Provinces VALUES (1, '全国');
INSERT INTO Provinces VALUES (2, '北京');
INSERT INTO Provinces VALUES (3, '天津');
INSERT INTO Provinces VALUES (4, '河北');
INSERT INTO Provinces VALUES (5, '山西');
INSERT INTO Provinces VALUES (6, '内蒙古');
INSERT INTO Provinces VALUES (7, '辽宁');
INSERT INTO Provinces VALUES (8, '吉林');
INSERT INTO Provinces VALUES (9, '黑龙江');
INSERT INTO Provinces VALUES (10, '上海');
INSERT INTO Provinces VALUES (11, '江苏');
INSERT INTO Provinces VALUES (12, '浙江');
INSERT INTO Provinces VALUES (13, '安徽');
INSERT INTO Provinces VALUES (14, '福建');
INSERT INTO Provinces VALUES (15, '江西');
INSERT INTO Provinces VALUES (16, '山东');
INSERT INTO Provinces VALUES (17, '河南');
INSERT INTO Provinces VALUES (18, '湖北');
INSERT INTO Provinces VALUES (19, '湖南');
INSERT INTO Provinces VALUES (20, '广东');
INSERT INTO Provinces VALUES (21, '广西');
INSERT INTO Provinces VALUES (22, '海南');
INSERT INTO Provinces VALUES (23, '重庆');
INSERT INTO Provinces VALUES (24, '四川');
INSERT INTO Provinces VALUES (25, '贵州');
INSERT INTO Provinces VALUES (26, '云南');
INSERT INTO Provinces VALUES (27, '西藏');
INSERT INTO Provinces VALUES (28, '陕西');
INSERT INTO Provinces VALUES (29, '甘肃');
INSERT INTO Provinces VALUES (30, '青海');
INSERT INTO Provinces VALUES (31, '宁夏');
INSERT INTO Provinces VALUES (32, '新疆');
INSERT INTO Provinces VALUES (33, '香港');
INSERT INTO Provinces VALUES (34, '澳门');
INSERT INTO Provinces VALUES (35, '台湾');

-- tkChapter: 人教A版（2019）高中数学教材，层0为册，层1为章，层2为节
INSERT INTO tkChapter VALUES (1, '必修第一册', 0, 0);
INSERT INTO tkChapter VALUES (2, '第一章 集合与常用逻辑用语', 1, 1);
INSERT INTO tkChapter VALUES (3, '1.1 集合的概念', 2, 2);
INSERT INTO tkChapter VALUES (4, '1.2 集合间的基本关系', 2, 2);
INSERT INTO tkChapter VALUES (5, '1.3 集合的基本运算', 2, 2);
INSERT INTO tkChapter VALUES (6, '1.4 充分条件与必要条件', 2, 2);
INSERT INTO tkChapter VALUES (7, '1.5 全称量词与存在量词', 2, 2);
INSERT INTO tkChapter VALUES (8, '第二章 一元二次函数、方程和不等式', 1, 1);
INSERT INTO tkChapter VALUES (9, '2.1 等式性质与不等式性质', 2, 8);
INSERT INTO tkChapter VALUES (10, '2.2 基本不等式', 2, 8);
INSERT INTO tkChapter VALUES (11, '2.3 二次函数与一元二次方程、不等式', 2, 8);
INSERT INTO tkChapter VALUES (12, '第三章 函数的概念与性质', 1, 1);
INSERT INTO tkChapter VALUES (13, '3.1 函数的概念及其表示', 2, 12);
INSERT INTO tkChapter VALUES (14, '3.2 函数的基本性质', 2, 12);
INSERT INTO tkChapter VALUES (15, '3.3 幂函数', 2, 12);
INSERT INTO tkChapter VALUES (16, '3.4 函数的应用（一）', 2, 12);
INSERT INTO tkChapter VALUES (17, '第四章 指数函数与对数函数', 1, 1);
INSERT INTO tkChapter VALUES (18, '4.1 指数', 2, 17);
INSERT INTO tkChapter VALUES (19, '4.2 指数函数', 2, 17);
INSERT INTO tkChapter VALUES (20, '4.3 对数', 2, 17);
INSERT INTO tkChapter VALUES (21, '4.4 对数函数', 2, 17);
INSERT INTO tkChapter VALUES (22, '4.5 函数的应用（二）', 2, 17);
INSERT INTO tkChapter VALUES (23, '第五章 三角函数', 1, 1);
INSERT INTO tkChapter VALUES (24, '5.1 任意角和弧度制', 2, 23);
INSERT INTO tkChapter VALUES (25, '5.2 三角函数的概念', 2, 23);
INSERT INTO tkChapter VALUES (26, '5.3 诱导公式', 2, 23);
INSERT INTO tkChapter VALUES (27, '5.4 三角函数的图象与性质', 2, 23);
INSERT INTO tkChapter VALUES (28, '5.5 三角恒等变换', 2, 23);
INSERT INTO tkChapter VALUES (29, '5.6 函数y=Asin(ωx+φ)', 2, 23);
INSERT INTO tkChapter VALUES (30, '5.7 三角函数的应用', 2, 23);
INSERT INTO tkChapter VALUES (31, '必修第二册', 0, 0);
INSERT INTO tkChapter VALUES (32, '第六章 平面向量及其应用', 1, 31);
INSERT INTO tkChapter VALUES (33, '6.1 平面向量的概念', 2, 32);
INSERT INTO tkChapter VALUES (34, '6.2 平面向量的运算', 2, 32);
INSERT INTO tkChapter VALUES (35, '6.3 平面向量基本定理及坐标表示', 2, 32);
INSERT INTO tkChapter VALUES (36, '6.4 平面向量的应用', 2, 32);
INSERT INTO tkChapter VALUES (37, '第七章 复数', 1, 31);
INSERT INTO tkChapter VALUES (38, '7.1 复数的概念', 2, 37);
INSERT INTO tkChapter VALUES (39, '7.2 复数的四则运算', 2, 37);
INSERT INTO tkChapter VALUES (40, '7.3 复数的三角表示', 2, 37);
INSERT INTO tkChapter VALUES (41, '第八章 立体几何初步', 1, 31);
INSERT INTO tkChapter VALUES (42, '8.1 基本立体图形', 2, 41);
INSERT INTO tkChapter VALUES (43, '8.2 立体图形的直观图', 2, 41);
INSERT INTO tkChapter VALUES (44, '8.3 简单几何体的表面积与体积', 2, 41);
INSERT INTO tkChapter VALUES (45, '8.4 空间点、直线、平面之间的位置关系', 2, 41);
INSERT INTO tkChapter VALUES (46, '8.5 空间直线、平面的平行', 2, 41);
INSERT INTO tkChapter VALUES (47, '8.6 空间直线、平面的垂直', 2, 41);
INSERT INTO tkChapter VALUES (48, '第九章 统计', 1, 31);
INSERT INTO tkChapter VALUES (49, '9.1 随机抽样', 2, 48);
INSERT INTO tkChapter VALUES (50, '9.2 用样本估计总体', 2, 48);
INSERT INTO tkChapter VALUES (51, '9.3 统计案例', 2, 48);
INSERT INTO tkChapter VALUES (52, '第十章 概率', 1, 31);
INSERT INTO tkChapter VALUES (53, '10.1 随机事件与概率', 2, 52);
INSERT INTO tkChapter VALUES (54, '10.2 事件的相互独立性', 2, 52);
INSERT INTO tkChapter VALUES (55, '10.3 频率与概率', 2, 52);
INSERT INTO tkChapter VALUES (56, '选择性必修第一册', 0, 0);
INSERT INTO tkChapter VALUES (57, '第一章 空间向量与立体几何', 1, 56);
INSERT INTO tkChapter VALUES (58, '1.1 空间向量及其运算', 2, 57);
INSERT INTO tkChapter VALUES (59, '1.2 空间向量基本定理', 2, 57);
INSERT INTO tkChapter VALUES (60, '1.3 空间向量及其运算的坐标表示', 2, 57);
INSERT INTO tkChapter VALUES (61, '1.4 空间向量的应用', 2, 57);
INSERT INTO tkChapter VALUES (62, '第二章 直线和圆的方程', 1, 56);
INSERT INTO tkChapter VALUES (63, '2.1 直线的倾斜角与斜率', 2, 62);
INSERT INTO tkChapter VALUES (64, '2.2 直线的方程', 2, 62);
INSERT INTO tkChapter VALUES (65, '2.3 直线的交点坐标与距离公式', 2, 62);
INSERT INTO tkChapter VALUES (66, '2.4 圆的方程', 2, 62);
INSERT INTO tkChapter VALUES (67, '2.5 直线与圆、圆与圆的位置关系', 2, 62);
INSERT INTO tkChapter VALUES (68, '第三章 圆锥曲线的方程', 1, 56);
INSERT INTO tkChapter VALUES (69, '3.1 椭圆', 2, 68);
INSERT INTO tkChapter VALUES (70, '3.2 双曲线', 2, 68);
INSERT INTO tkChapter VALUES (71, '3.3 抛物线', 2, 68);
INSERT INTO tkChapter VALUES (72, '选择性必修第二册', 0, 0);
INSERT INTO tkChapter VALUES (73, '第四章 数列', 1, 72);
INSERT INTO tkChapter VALUES (74, '4.1 数列的概念', 2, 73);
INSERT INTO tkChapter VALUES (75, '4.2 等差数列', 2, 73);
INSERT INTO tkChapter VALUES (76, '4.3 等比数列', 2, 73);
INSERT INTO tkChapter VALUES (77, '4.4 数学归纳法', 2, 73);
INSERT INTO tkChapter VALUES (78, '第五章 一元函数的导数及其应用', 1, 72);
INSERT INTO tkChapter VALUES (79, '5.1 导数的概念及其意义', 2, 78);
INSERT INTO tkChapter VALUES (80, '5.2 导数的运算', 2, 78);
INSERT INTO tkChapter VALUES (81, '5.3 导数在研究函数中的应用', 2, 78);
INSERT INTO tkChapter VALUES (82, '选择性必修第三册', 0, 0);
INSERT INTO tkChapter VALUES (83, '第六章 计数原理', 1, 82);
INSERT INTO tkChapter VALUES (84, '6.1 分类加法计数原理与分步乘法计数原理', 2, 83);
INSERT INTO tkChapter VALUES (85, '6.2 排列与组合', 2, 83);
INSERT INTO tkChapter VALUES (86, '6.3 二项式定理', 2, 83);
INSERT INTO tkChapter VALUES (87, '第七章 随机变量及其分布', 1, 82);
INSERT INTO tkChapter VALUES (88, '7.1 条件概率与全概率公式', 2, 87);
INSERT INTO tkChapter VALUES (89, '7.2 离散型随机变量及其分布列', 2, 87);
INSERT INTO tkChapter VALUES (90, '7.3 离散型随机变量的数字特征', 2, 87);
INSERT INTO tkChapter VALUES (91, '7.4 二项分布与超几何分布', 2, 87);
INSERT INTO tkChapter VALUES (92, '7.5 正态分布', 2, 87);
INSERT INTO tkChapter VALUES (93, '第八章 成对数据的统计分析', 1, 82);
INSERT INTO tkChapter VALUES (94, '8.1 成对数据的统计相关性', 2, 93);
INSERT INTO tkChapter VALUES (95, '8.2 一元线性回归模型及其应用', 2, 93);
INSERT INTO tkChapter VALUES (96, '8.3 列联表与独立性检验', 2, 93);

-- tkPoint: 高中数学知识点，层0为板块，层1为专题，层2为知识点
INSERT INTO tkPoint VALUES (1, '集合与常用逻辑用语', 0, 0);
INSERT INTO tkPoint VALUES (2, '集合', 1, 1);
INSERT INTO tkPoint VALUES (3, '集合的含义与表示', 2, 2);
INSERT INTO tkPoint VALUES (4, '元素与集合的关系', 2, 2);
INSERT INTO tkPoint VALUES (5, '集合间的基本关系', 2, 2);
INSERT INTO tkPoint VALUES (6, '交集', 2, 2);
INSERT INTO tkPoint VALUES (7, '并集', 2, 2);
INSERT INTO tkPoint VALUES (8, '补集', 2, 2);
INSERT INTO tkPoint VALUES (9, '常用逻辑用语', 1, 1);
INSERT INTO tkPoint VALUES (10, '充分条件与必要条件', 2, 9);
INSERT INTO tkPoint VALUES (11, '全称量词与存在量词', 2, 9);
INSERT INTO tkPoint VALUES (12, '命题的否定', 2, 9);
INSERT INTO tkPoint VALUES (13, '函数', 0, 0);
INSERT INTO tkPoint VALUES (14, '函数的概念与性质', 1, 13);
INSERT INTO tkPoint VALUES (15, '函数的定义域', 2, 14);
INSERT INTO tkPoint VALUES (16, '函数的值域', 2, 14);
INSERT INTO tkPoint VALUES (17, '函数的解析式', 2, 14);
INSERT INTO tkPoint VALUES (18, '分段函数', 2, 14);
INSERT INTO tkPoint VALUES (19, '函数的单调性', 2, 14);
INSERT INTO tkPoint VALUES (20, '函数的奇偶性', 2, 14);
INSERT INTO tkPoint VALUES (21, '函数的周期性', 2, 14);
INSERT INTO tkPoint VALUES (22, '函数的最值', 2, 14);
INSERT INTO tkPoint VALUES (23, '基本初等函数', 1, 13);
INSERT INTO tkPoint VALUES (24, '一次函数', 2, 23);
INSERT INTO tkPoint VALUES (25, '二次函数', 2, 23);
INSERT INTO tkPoint VALUES (26, '幂函数', 2, 23);
INSERT INTO tkPoint VALUES (27, '指数与指数函数', 2, 23);
INSERT INTO tkPoint VALUES (28, '对数与对数函数', 2, 23);
INSERT INTO tkPoint VALUES (29, '反比例函数', 2, 23);
INSERT INTO tkPoint VALUES (30, '函数的应用', 1, 13);
INSERT INTO tkPoint VALUES (31, '函数的零点', 2, 30);
INSERT INTO tkPoint VALUES (32, '二分法', 2, 30);
INSERT INTO tkPoint VALUES (33, '函数模型及其应用', 2, 30);
INSERT INTO tkPoint VALUES (34, '不等式', 0, 0);
INSERT INTO tkPoint VALUES (35, '不等关系与不等式', 1, 34);
INSERT INTO tkPoint VALUES (36, '不等式的性质', 2, 35);
INSERT INTO tkPoint VALUES (37, '一元二次不等式', 2, 35);
INSERT INTO tkPoint VALUES (38, '基本不等式', 1, 34);
INSERT INTO tkPoint VALUES (39, '基本不等式求最值', 2, 38);
INSERT INTO tkPoint VALUES (40, '基本不等式的应用', 2, 38);
INSERT INTO tkPoint VALUES (41, '线性规划', 1, 34);
INSERT INTO tkPoint VALUES (42, '二元一次不等式组与平面区域', 2, 41);
INSERT INTO tkPoint VALUES (43, '简单的线性规划问题', 2, 41);
INSERT INTO tkPoint VALUES (44, '三角函数', 0, 0);
INSERT INTO tkPoint VALUES (45, '三角函数的概念', 1, 44);
INSERT INTO tkPoint VALUES (46, '任意角与弧度制', 2, 45);
INSERT INTO tkPoint VALUES (47, '任意角的三角函数', 2, 45);
INSERT INTO tkPoint VALUES (48, '同角三角函数的基本关系', 2, 45);
INSERT INTO tkPoint VALUES (49, '诱导公式', 2, 45);
INSERT INTO tkPoint VALUES (50, '三角函数的图象与性质', 1, 44);
INSERT INTO tkPoint VALUES (51, '正弦函数的图象与性质', 2, 50);
INSERT INTO tkPoint VALUES (52, '余弦函数的图象与性质', 2, 50);
INSERT INTO tkPoint VALUES (53, '正切函数的图象与性质', 2, 50);
INSERT INTO tkPoint VALUES (54, '函数y=Asin(ωx+φ)的图象', 2, 50);
INSERT INTO tkPoint VALUES (55, '三角恒等变换', 1, 44);
INSERT INTO tkPoint VALUES (56, '两角和与差的三角函数', 2, 55);
INSERT INTO tkPoint VALUES (57, '二倍角公式', 2, 55);
INSERT INTO tkPoint VALUES (58, '简单的三角恒等变换', 2, 55);
INSERT INTO tkPoint VALUES (59, '解三角形', 1, 44);
INSERT INTO tkPoint VALUES (60, '正弦定理', 2, 59);
INSERT INTO tkPoint VALUES (61, '余弦定理', 2, 59);
INSERT INTO tkPoint VALUES (62, '解三角形的应用', 2, 59);
INSERT INTO tkPoint VALUES (63, '平面向量', 0, 0);
INSERT INTO tkPoint VALUES (64, '平面向量的概念与运算', 1, 63);
INSERT INTO tkPoint VALUES (65, '向量的线性运算', 2, 64);
INSERT INTO tkPoint VALUES (66, '平面向量基本定理', 2, 64);
INSERT INTO tkPoint VALUES (67, '平面向量的坐标运算', 2, 64);
INSERT INTO tkPoint VALUES (68, '平面向量的数量积', 1, 63);
INSERT INTO tkPoint VALUES (69, '数量积的运算', 2, 68);
INSERT INTO tkPoint VALUES (70, '向量的夹角', 2, 68);
INSERT INTO tkPoint VALUES (71, '向量的模', 2, 68);
INSERT INTO tkPoint VALUES (72, '向量的平行与垂直', 2, 68);
INSERT INTO tkPoint VALUES (73, '复数', 0, 0);
INSERT INTO tkPoint VALUES (74, '复数的概念', 1, 73);
INSERT INTO tkPoint VALUES (75, '复数的有关概念', 2, 74);
INSERT INTO tkPoint VALUES (76, '复数的几何意义', 2, 74);
INSERT INTO tkPoint VALUES (77, '复数的运算', 1, 73);
INSERT INTO tkPoint VALUES (78, '复数的四则运算', 2, 77);
INSERT INTO tkPoint VALUES (79, '数列', 0, 0);
INSERT INTO tkPoint VALUES (80, '数列的概念', 1, 79);
INSERT INTO tkPoint VALUES (81, '数列的通项公式', 2, 80);
INSERT INTO tkPoint VALUES (82, '数列的递推关系', 2, 80);
INSERT INTO tkPoint VALUES (83, '等差数列', 1, 79);
INSERT INTO tkPoint VALUES (84, '等差数列的通项公式', 2, 83);
INSERT INTO tkPoint VALUES (85, '等差数列的前n项和', 2, 83);
INSERT INTO tkPoint VALUES (86, '等比数列', 1, 79);
INSERT INTO tkPoint VALUES (87, '等比数列的通项公式', 2, 86);
INSERT INTO tkPoint VALUES (88, '等比数列的前n项和', 2, 86);
INSERT INTO tkPoint VALUES (89, '数列求和与综合', 1, 79);
INSERT INTO tkPoint VALUES (90, '错位相减法', 2, 89);
INSERT INTO tkPoint VALUES (91, '裂项相消法', 2, 89);
INSERT INTO tkPoint VALUES (92, '数学归纳法', 2, 89);
INSERT INTO tkPoint VALUES (93, '立体几何', 0, 0);
INSERT INTO tkPoint VALUES (94, '空间几何体', 1, 93);
INSERT INTO tkPoint VALUES (95, '三视图', 2, 94);
INSERT INTO tkPoint VALUES (96, '直观图', 2, 94);
INSERT INTO tkPoint VALUES (97, '表面积与体积', 2, 94);
INSERT INTO tkPoint VALUES (98, '外接球与内切球', 2, 94);
INSERT INTO tkPoint VALUES (99, '点、直线、平面的位置关系', 1, 93);
INSERT INTO tkPoint VALUES (100, '平面的基本性质', 2, 99);
INSERT INTO tkPoint VALUES (101, '空间中的平行关系', 2, 99);
INSERT INTO tkPoint VALUES (102, '空间中的垂直关系', 2, 99);
INSERT INTO tkPoint VALUES (103, '空间向量与立体几何', 1, 93);
INSERT INTO tkPoint VALUES (104, '空间向量的运算', 2, 103);
INSERT INTO tkPoint VALUES (105, '用向量证明平行与垂直', 2, 103);
INSERT INTO tkPoint VALUES (106, '空间角', 2, 103);
INSERT INTO tkPoint VALUES (107, '空间距离', 2, 103);
INSERT INTO tkPoint VALUES (108, '解析几何', 0, 0);
INSERT INTO tkPoint VALUES (109, '直线与方程', 1, 108);
INSERT INTO tkPoint VALUES (110, '直线的倾斜角与斜率', 2, 109);
INSERT INTO tkPoint VALUES (111, '直线的方程', 2, 109);
INSERT INTO tkPoint VALUES (112, '两直线的位置关系', 2, 109);
INSERT INTO tkPoint VALUES (113, '点到直线的距离', 2, 109);
INSERT INTO tkPoint VALUES (114, '圆与方程', 1, 108);
INSERT INTO tkPoint VALUES (115, '圆的方程', 2, 114);
INSERT INTO tkPoint VALUES (116, '直线与圆的位置关系', 2, 114);
INSERT INTO tkPoint VALUES (117, '圆与圆的位置关系', 2, 114);
INSERT INTO tkPoint VALUES (118, '圆锥曲线', 1, 108);
INSERT INTO tkPoint VALUES (119, '椭圆', 2, 118);
INSERT INTO tkPoint VALUES (120, '双曲线', 2, 118);
INSERT INTO tkPoint VALUES (121, '抛物线', 2, 118);
INSERT INTO tkPoint VALUES (122, '直线与圆锥曲线的位置关系', 2, 118);
INSERT INTO tkPoint VALUES (123, '定点与定值问题', 2, 118);
INSERT INTO tkPoint VALUES (124, '轨迹方程', 2, 118);
INSERT INTO tkPoint VALUES (125, '导数及其应用', 0, 0);
INSERT INTO tkPoint VALUES (126, '导数的概念与运算', 1, 125);
INSERT INTO tkPoint VALUES (127, '导数的概念及几何意义', 2, 126);
INSERT INTO tkPoint VALUES (128, '导数的运算', 2, 126);
INSERT INTO tkPoint VALUES (129, '切线方程', 2, 126);
INSERT INTO tkPoint VALUES (130, '导数的应用', 1, 125);
INSERT INTO tkPoint VALUES (131, '利用导数研究函数的单调性', 2, 130);
INSERT INTO tkPoint VALUES (132, '利用导数研究函数的极值与最值', 2, 130);
INSERT INTO tkPoint VALUES (133, '导数与不等式', 2, 130);
INSERT INTO tkPoint VALUES (134, '导数与函数零点', 2, 130);
INSERT INTO tkPoint VALUES (135, '计数原理', 0, 0);
INSERT INTO tkPoint VALUES (136, '计数原理', 1, 135);
INSERT INTO tkPoint VALUES (137, '分类加法计数原理与分步乘法计数原理', 2, 136);
INSERT INTO tkPoint VALUES (138, '排列', 2, 136);
INSERT INTO tkPoint VALUES (139, '组合', 2, 136);
INSERT INTO tkPoint VALUES (140, '二项式定理', 1, 135);
INSERT INTO tkPoint VALUES (141, '二项展开式的通项', 2, 140);
INSERT INTO tkPoint VALUES (142, '二项式系数的性质', 2, 140);
INSERT INTO tkPoint VALUES (143, '概率与统计', 0, 0);
INSERT INTO tkPoint VALUES (144, '统计', 1, 143);
INSERT INTO tkPoint VALUES (145, '随机抽样', 2, 144);
INSERT INTO tkPoint VALUES (146, '用样本估计总体', 2, 144);
INSERT INTO tkPoint VALUES (147, '变量间的相关关系', 2, 144);
INSERT INTO tkPoint VALUES (148, '独立性检验', 2, 144);
INSERT INTO tkPoint VALUES (149, '概率', 1, 143);
INSERT INTO tkPoint VALUES (150, '古典概型', 2, 149);
INSERT INTO tkPoint VALUES (151, '几何概型', 2, 149);
INSERT INTO tkPoint VALUES (152, '事件的相互独立性', 2, 149);
INSERT INTO tkPoint VALUES (153, '条件概率', 2, 149);
INSERT INTO tkPoint VALUES (154, '随机变量及其分布', 1, 143);
INSERT INTO tkPoint VALUES (155, '离散型随机变量的分布列', 2, 154);
INSERT INTO tkPoint VALUES (156, '期望与方差', 2, 154);
INSERT INTO tkPoint VALUES (157, '二项分布', 2, 154);
INSERT INTO tkPoint VALUES (158, '超几何分布', 2, 154);
INSERT INTO tkPoint VALUES (159, '正态分布', 2, 154);

COMMIT;
