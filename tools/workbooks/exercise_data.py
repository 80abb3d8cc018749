"""Contents of the three starting workbooks (class results, wage sheet, factory production).

The numbers come from a fixed seed, so the workbooks are the same on every run; the checks at the
bottom of each builder keep the facts the marking relies on (unique highest and lowest totals, the
named workers, 5% tax values).
"""
import random

SURNAMES = "王李张刘陈杨黄赵吴周徐孙马朱胡郭何高林罗郑梁谢宋唐许韩冯邓曹彭曾肖田董袁潘蒋蔡余杜叶程苏魏吕丁任沈姚卢"
GIVEN = ["伟", "芳", "娜", "敏", "静", "丽", "强", "磊", "军", "洋", "勇", "艳", "杰", "娟", "涛", "明",
         "超", "秀英", "霞", "平", "刚", "桂英", "晓东", "志强", "海燕", "建华", "文静", "思远", "雨婷",
         "子涵", "浩然", "佳怡", "欣怡", "俊杰", "梓轩", "一鸣", "嘉欣", "晨曦", "宇航", "诗琪"]


def chinese_names(rng, count):
    names, seen = [], set()
    while len(names) < count:
        n = rng.choice(SURNAMES) + rng.choice(GIVEN)
        if n not in seen:
            seen.add(n)
            names.append(n)
    return names


def split_total(rng, total, ranges):
    """Random parts within ranges (inclusive) that add up to total."""
    for _ in range(100000):
        parts = [rng.randint(lo, hi) for lo, hi in ranges[:-1]]
        last = total - sum(parts)
        lo, hi = ranges[-1]
        if lo <= last <= hi:
            return parts + [last]
    raise ValueError("cannot split %d over %r" % (total, ranges))


def distinct_totals(rng, count, lo, hi):
    return rng.sample(range(lo, hi + 1), count)


def check_unique_extremes(totals, highest, lowest):
    assert max(totals) == highest and totals.count(highest) == 1, (highest, totals)
    assert min(totals) == lowest and totals.count(lowest) == 1, (lowest, totals)
    assert len(set(totals)) == len(totals), "totals are all different, so any sort is unambiguous"


# --- exercise 3: class results ---------------------------------------------------------------

def class_results():
    rng = random.Random(20240303)
    ranges = [(95, 142), (88, 148), (90, 145), (180, 285)]   # 语文 数学 英语 150 each, 理综 300
    names = chinese_names(rng, 19)
    totals = distinct_totals(rng, 17, 590, 670)
    totals.insert(6, 679)     # the best student stands in row 9
    totals.insert(13, 579)    # the weakest in row 16
    rows = []
    for i, (name, total) in enumerate(zip(names, totals)):
        scores = split_total(rng, total, ranges)
        klass = "高一(%d)班" % (1 + i % 3)
        rows.append(["20230%02d" % (101 + i), klass, name] + scores)
    check_unique_extremes([sum(r[3:7]) for r in rows], 679, 579)
    return {
        "title": "高一年级期中考试成绩表",
        "headings": ["考号", "班级", "姓名", "语文", "数学", "英语", "理综", "总分"],
        "rows": rows,
    }


# --- exercise 4: wage sheet ------------------------------------------------------------------

def wage_sheet():
    rng = random.Random(20240404)
    ranges = [(1000, 1950), (120, 480), (150, 300), (60, 260)]  # 基本工资 加班费 伙食补贴 医疗补贴
    names = chinese_names(rng, 19)
    names[7] = "Dosmer"
    totals = distinct_totals(rng, 17, 1620, 2740)
    totals.insert(7, 1569)    # Dosmer, row 10
    totals.insert(12, 2790)   # row 15
    rows = []
    for i, (name, total) in enumerate(zip(names, totals)):
        rows.append([1001 + i, name] + split_total(rng, total, ranges))
    totals = [sum(r[2:6]) for r in rows]
    check_unique_extremes(totals, 2790, 1569)
    assert rows[totals.index(1569)][1] == "Dosmer"
    assert 1569 * 0.05 == 78.45 and 2790 * 0.05 == 139.5
    return {
        "title": "宏达机械厂职工工资表",
        "headings": ["工号", "姓名", "基本工资", "加班费", "伙食补贴", "医疗补贴", "总收入", "应交税"],
        "rows": rows,
    }


# --- exercise 8: factory production ------------------------------------------------------------

def factory_production():
    rng = random.Random(20240808)
    ranges = [(950, 1400), (950, 1400), (950, 1400), (950, 1400)]  # four kinds of parts
    names = chinese_names(rng, 19)
    names[0] = "Yaltren"
    totals = distinct_totals(rng, 17, 4200, 5250)
    totals.insert(0, 4136)    # Yaltren, row 3
    totals.insert(11, 5317)   # row 14
    rows = []
    for i, (name, total) in enumerate(zip(names, totals)):
        rows.append([name, 3001 + i] + split_total(rng, total, ranges))
    totals = [sum(r[2:6]) for r in rows]
    check_unique_extremes(totals, 5317, 4136)
    assert rows[0][0] == "Yaltren" and totals[0] == 4136
    return {
        "title": "企业第一季度零件生产数据统计表",
        "headings": ["姓名", "工号", "齿轮", "轴承", "螺栓", "垫片", "零件总数"],
        "rows": rows,
        "label22": "每样零件最大值",
        "label23": "零件总数平均值",
    }


if __name__ == "__main__":
    for f in (class_results, wage_sheet, factory_production):
        d = f()
        print(d["title"])
        for r in d["rows"]:
            print("  ", r)
